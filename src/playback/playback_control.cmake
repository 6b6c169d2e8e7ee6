# Playback control logic (library zuna_playback_control).
zuna_library(zuna_playback_control
  dropped_frames_menu.cpp
  frame_map.cpp
  frame_number_line.cpp
  playback_buttons.cpp
  playback_controller.cpp
  playback_player.cpp
)
target_link_libraries(zuna_playback_control PUBLIC zuna_playback_menu zuna_common)
