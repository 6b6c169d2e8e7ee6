# Playback option keys (library zuna_playback_options).
