# Playback control tests: zuna_unit_tests(playback_control_tests ...).
