# AVI fuzz targets.
