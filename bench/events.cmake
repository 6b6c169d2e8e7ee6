# Event schedule benchmarks.
