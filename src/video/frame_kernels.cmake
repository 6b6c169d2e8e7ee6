# Frame kernels (library zuna_frame_kernels): the portable picture and sample work of the
# pixel saturation, crosshairs and time lapse filters, and the frame rules they share.
zuna_library(zuna_frame_kernels
  crosshairs_kernel.cpp
  display_frame.cpp
  frame_geometry.cpp
  frame_media_type.cpp
  frame_row_copy.cpp
  pixel_saturation_kernel.cpp
  time_lapse_decider.cpp
)
target_link_libraries(zuna_frame_kernels PUBLIC zuna_common)
