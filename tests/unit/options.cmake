# Options file tests: zuna_unit_tests(options_tests ...).
