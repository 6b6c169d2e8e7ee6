# Filter-graph layer and capture devices: VideoPlayer over a fake graph, device validation over a
# fake catalog, the codec list over a fake codec catalog.
zuna_unit_tests(video_player_tests
  video_player/fake_media_graph.cpp
  video_player/video_player_construction_test.cpp
  video_player/video_player_preview_test.cpp
  video_player/video_player_capture_test.cpp
)
target_link_libraries(video_player_tests PRIVATE zuna_video_player)
