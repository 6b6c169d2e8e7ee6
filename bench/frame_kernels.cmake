# Frame kernel benchmarks.
