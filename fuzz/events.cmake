# Event file fuzz targets.
