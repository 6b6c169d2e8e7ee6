# Event schedule benchmarks.
zuna_benchmark(event_schedule_bench ${CMAKE_CURRENT_SOURCE_DIR}/event_schedule_bench.cpp LIBS zuna_capture)
