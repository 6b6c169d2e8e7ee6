# The window renderer's frame conversion.
zuna_fuzz_target(display_frame_fuzz ${CMAKE_CURRENT_SOURCE_DIR}/display_frame_fuzz.cpp LIBS zuna_frame_kernels)
