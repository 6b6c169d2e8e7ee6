# AVI benchmarks.
zuna_benchmark(avi_bench ${CMAKE_CURRENT_SOURCE_DIR}/avi_bench.cpp LIBS zuna_avi)
