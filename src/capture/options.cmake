# Capture option keys and other-option nodes: target_sources(zuna_capture ...).
