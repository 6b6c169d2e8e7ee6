# Filter-graph layer and capture devices: VideoPlayer over a fake graph, device validation over a
# fake catalog, the codec list over a fake codec catalog.
zuna_unit_tests(video_player_tests
  video_player/fake_media_graph.cpp
  video_player/video_player_construction_test.cpp
  video_player/video_player_preview_test.cpp
  video_player/video_player_capture_test.cpp
  video_player/video_player_seeking_test.cpp
)
target_link_libraries(video_player_tests PRIVATE zuna_video_player)

zuna_unit_tests(device_tests
  video_player/fake_media_graph.cpp
  devices/fake_device_catalog.cpp
  devices/camera_control_test.cpp
  devices/codec_list_test.cpp
  devices/device_standard_test.cpp
  devices/device_startup_test.cpp
  devices/video_device_formats_test.cpp
  devices/video_device_list_test.cpp
)
target_link_libraries(device_tests PRIVATE zuna_capture)
