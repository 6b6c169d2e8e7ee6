# Frame kernel tests: zuna_unit_tests(frame_kernel_tests ...).
