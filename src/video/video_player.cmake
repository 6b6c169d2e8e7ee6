# The filter-graph layer (library zuna_video_player): VideoPlayer over the MediaGraph seam.
zuna_library(zuna_video_player
  video_player.cpp
  video_player_capture.cpp
  video_player_color_control.cpp
  video_player_preview.cpp
  video_player_seeking.cpp
)
target_link_libraries(zuna_video_player PUBLIC zuna_common)
