#include <benchmark/benchmark.h>

#include "base/datetime.h"

// Every CSV line formats date-times; this is the floor of that cost.
static void BM_FormatDateTimeText(benchmark::State& state) {
    kv::DateTime t = *kv::encodeDateTime({2014, 3, 5, 9, 7, 2, 0});
    for (auto _ : state) {
        benchmark::DoNotOptimize(kv::formatDateTimeText(t));
        t += 1.0 / kv::kSecondsPerDay;
    }
}
BENCHMARK(BM_FormatDateTimeText);
