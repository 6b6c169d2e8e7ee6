# Options file fuzz targets.
