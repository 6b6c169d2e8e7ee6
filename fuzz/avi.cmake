# AVI fuzz targets.
zuna_fuzz_target(avi_parser ${CMAKE_CURRENT_SOURCE_DIR}/avi_parser.cpp LIBS zuna_avi)

# Rebuilds the seed corpus: avi_seed_maker fuzz/corpus/avi_parser
add_executable(avi_seed_maker ${CMAKE_CURRENT_SOURCE_DIR}/avi_seed_maker.cpp)
target_link_libraries(avi_seed_maker PRIVATE zuna_avi)
zuna_warnings(avi_seed_maker)
zuna_fuzz_target(avi_frame_reader_fuzz ${CMAKE_CURRENT_SOURCE_DIR}/avi_frame_reader_fuzz.cpp LIBS zuna_avi)
