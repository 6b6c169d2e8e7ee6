# Frame kernel tests: zuna_unit_tests(frame_kernel_tests ...).
zuna_unit_tests(frame_kernel_tests
  video/crosshairs_kernel_test.cpp
  video/display_frame_test.cpp
  video/frame_geometry_test.cpp
  video/frame_media_type_test.cpp
  video/frame_row_copy_test.cpp
  video/pixel_saturation_kernel_test.cpp
  video/time_lapse_decider_test.cpp
)
target_link_libraries(frame_kernel_tests PRIVATE zuna_frame_kernels)
