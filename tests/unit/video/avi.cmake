# AVI tests: zuna_unit_tests(avi_tests ...).
