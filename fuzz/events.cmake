# Event file fuzz targets: the version 2.4 reader and the reader of the older XML form.
zuna_fuzz_target(event_file_fuzz ${CMAKE_CURRENT_SOURCE_DIR}/event_file_fuzz.cpp LIBS zuna_capture)
zuna_fuzz_target(event_xml_fuzz ${CMAKE_CURRENT_SOURCE_DIR}/event_xml_fuzz.cpp LIBS zuna_capture)
