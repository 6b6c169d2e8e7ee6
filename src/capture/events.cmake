# Event files, schedule, XML import, countdown and power decisions.
target_sources(zuna_capture PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/countdown_state.cpp
  ${CMAKE_CURRENT_LIST_DIR}/countdown_texts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/event_file_name.cpp
  ${CMAKE_CURRENT_LIST_DIR}/event_file_reader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/event_file_record.cpp
  ${CMAKE_CURRENT_LIST_DIR}/event_file_writer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/event_folder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/event_schedule.cpp
  ${CMAKE_CURRENT_LIST_DIR}/power_control.cpp
  ${CMAKE_CURRENT_LIST_DIR}/power_notice.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scheduled_event.cpp
  ${CMAKE_CURRENT_LIST_DIR}/xml_event_import.cpp
  ${CMAKE_CURRENT_LIST_DIR}/xml_event_reader.cpp
)
