# Options file fuzz targets.
zuna_fuzz_target(options_file_fuzz options_file_fuzz.cpp LIBS zuna_capture)
