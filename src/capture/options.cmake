# Capture option keys and other-option nodes.
target_sources(zuna_capture PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/capture_option_nodes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/capture_options.cpp
  ${CMAKE_CURRENT_LIST_DIR}/filter_name_characters.cpp
  ${CMAKE_CURRENT_LIST_DIR}/video_source_info.cpp
)
