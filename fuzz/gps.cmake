# NMEA fuzz targets.
