# File commands over the video player on a fake graph, the player's PlaybackGraph, the video fit.
zuna_unit_tests(playback_files_tests
  video_player/fake_media_graph.cpp
  playback/playback_files_test.cpp
  playback/video_player_playback_graph_test.cpp
  playback/video_fit_test.cpp
)
target_link_libraries(playback_files_tests PRIVATE zuna_playback_files)
