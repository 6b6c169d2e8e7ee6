# Event files, schedule, XML import, countdown decisions: target_sources(zuna_capture ...).
