# Event files, schedule, XML import, countdown and power decisions.
zuna_unit_tests(event_tests
  events/countdown_test.cpp
  events/event_file_name_test.cpp
  events/event_file_test.cpp
  events/event_schedule_test.cpp
  events/power_test.cpp
  events/xml_event_test.cpp
)
target_link_libraries(event_tests PRIVATE zuna_capture)
