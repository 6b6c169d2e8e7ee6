# zuna-events: the command logic is a library of its own so that the unit tests run it.
add_library(zuna_events_command STATIC ${CMAKE_CURRENT_LIST_DIR}/events_command.cpp)
target_include_directories(zuna_events_command PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(zuna_events_command PUBLIC zuna_capture zuna_terminal_text)
zuna_warnings(zuna_events_command)

add_executable(zuna-events ${CMAKE_CURRENT_LIST_DIR}/zuna_events.cpp)
target_link_libraries(zuna-events PRIVATE zuna_events_command)
zuna_tool(zuna-events "ZUNA Video event schedule and import")
