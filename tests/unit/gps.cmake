# GPS tests: zuna_unit_tests(gps_tests ...).
