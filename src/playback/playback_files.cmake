# Opening, closing and showing AVI files (library zuna_playback_files): the file commands over the
# video player, the player's PlaybackGraph, and the fit of the video to the work area.
zuna_library(zuna_playback_files
  playback_file_open.cpp
  playback_files.cpp
  video_fit.cpp
  video_player_playback_graph.cpp
)
target_link_libraries(zuna_playback_files PUBLIC zuna_playback_control zuna_video_player zuna_avi zuna_common)
