# GPS receiver logic: target_sources(zuna_capture ...).
