# Playback control logic (library zuna_playback_control).
