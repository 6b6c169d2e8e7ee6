# Playback option keys.
zuna_library(zuna_playback_options
  playback_options.cpp
)
target_link_libraries(zuna_playback_options PUBLIC zuna_common)
