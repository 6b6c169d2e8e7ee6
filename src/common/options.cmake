# Options file reader and writer, and the keys every program registers.
target_sources(zuna_common PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/options_common_keys.cpp
  ${CMAKE_CURRENT_LIST_DIR}/options_file_reader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/options_file_writer.cpp
)
