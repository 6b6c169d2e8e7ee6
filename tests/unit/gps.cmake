# GPS receiver tests: the NMEA parser and the receiver over a fake serial port.
zuna_unit_tests(gps_tests
  gps/gps_port_test.cpp
  gps/nmea_gga_test.cpp
)
target_link_libraries(gps_tests PRIVATE zuna_capture)

# The fake receiver that the Wine scenarios map to COM3.
include(${PROJECT_SOURCE_DIR}/tests/fixtures/gps_feeder.cmake)
