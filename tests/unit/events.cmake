# Event tests: zuna_unit_tests(event_tests ...).
