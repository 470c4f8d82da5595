// Micro-benchmarks of the engine's hot operations; each area adds its own file.
#include <benchmark/benchmark.h>

BENCHMARK_MAIN();
