# The serial port that the GPS receiver is read from.
target_sources(ZUNA_Capture PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/serial_port_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gps_window.cpp
)
