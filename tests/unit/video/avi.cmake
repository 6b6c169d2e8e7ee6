# AVI tests: zuna_unit_tests(avi_tests ...).
zuna_unit_tests(avi_tests
  video/avi_frame_reader_test.cpp
  video/avi_frame_timeline_test.cpp
  video/avi_info_command_test.cpp
  video/avi_interop_test.cpp
  video/avi_parser_test.cpp
  video/avi_test_output.cpp
  video/avi_writer_test.cpp
)
target_link_libraries(avi_tests PRIVATE zuna_avi)
