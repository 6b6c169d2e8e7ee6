# zuna-events command logic.
zuna_unit_tests(events_tool_tests tools/events_command_test.cpp)
target_link_libraries(events_tool_tests PRIVATE zuna_events_command)
