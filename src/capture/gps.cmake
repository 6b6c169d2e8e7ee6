# GPS receiver logic: the NMEA "$GPGGA" parser, the fix texts and the receiver over the SerialPort seam.
target_sources(zuna_capture PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/gps_fix_texts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gps_port.cpp
  ${CMAKE_CURRENT_LIST_DIR}/nmea_gga.cpp
)
