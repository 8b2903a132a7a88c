// Benchmark entry point; the measured operations live in the other files here.
#include <benchmark/benchmark.h>

BENCHMARK_MAIN();
