# Win32 serial port: target_sources(ZUNA_Capture PRIVATE ...).
