# NMEA fuzz targets.
zuna_fuzz_target(nmea_fuzz ${CMAKE_CURRENT_SOURCE_DIR}/nmea_fuzz.cpp LIBS zuna_capture)
