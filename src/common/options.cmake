# Options file reader and writer: target_sources(zuna_common ...).
