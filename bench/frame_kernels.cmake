# Frame kernel benchmarks: each filter's per-frame work against a memcpy of the same frame.
zuna_benchmark(frame_kernels_bench frame_kernels_bench.cpp LIBS zuna_frame_kernels)
