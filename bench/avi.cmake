# AVI benchmarks.
