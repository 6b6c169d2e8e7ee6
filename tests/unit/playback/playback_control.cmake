# Playback control tests: zuna_unit_tests(playback_control_tests ...).
zuna_unit_tests(playback_control_tests
  playback/frame_map_and_line_test.cpp
  playback/playback_player_test.cpp
  playback/playback_controller_test.cpp
)
target_link_libraries(playback_control_tests PRIVATE zuna_playback_control)
