# Options file tests.
zuna_unit_tests(options_tests
  options/options_file_reader_test.cpp
  options/options_file_writer_test.cpp
  options/capture_options_test.cpp
  options/capture_option_nodes_test.cpp
  options/playback_options_test.cpp
)
target_link_libraries(options_tests PRIVATE zuna_capture zuna_playback_options)
