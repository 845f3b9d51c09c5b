#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "datafile/data_set.h"
#include "list/list_table.h"

// The list's work on the largest data set it shows: 120000 triaxial peak
// rows. A sort is measured with the refill of one page of rows, as the
// window does it after every sort.
namespace {

constexpr int kPageRows = 30;

struct BenchData {
    std::unique_ptr<kv::DataSet> data = std::make_unique<kv::DataSet>();
    kv::RecorderIdentity identity;
    BenchData() {
        identity.modelCode = 5300;
        identity.sensorRange = 50;
        data->modeText = "ピークモード";
        data->lastIndex = kv::kPeakCapacity - 1;
        unsigned seed = 12345;
        auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 8; };
        for (int r = 0; r < kv::kPeakCapacity; ++r) {
            kv::PeakRow& row = data->peakRows[r];
            for (int a = 0; a < 3; ++a) {
                row.time[a] = 41713.375 + r / 86400.0;
                row.peak[2 * a] = (next() % 6000) / 100.0f;
                row.peak[2 * a + 1] = -((next() % 6000) / 100.0f);
                row.width[2 * a] = next() % 1000;
                row.width[2 * a + 1] = next() % 1000;
            }
        }
    }
};

BenchData& benchData() {
    static BenchData data;
    return data;
}

void BM_SortAndRefillPage(benchmark::State& state) {
    BenchData& d = benchData();
    kv::ListTable table(*d.data, d.identity);
    const int column = static_cast<int>(state.range(0));
    std::vector<std::string> cells;
    bool largest = true;
    for (auto _ : state) {
        table.sort(column,
                   largest ? kv::SortDirection::LargestFirst : kv::SortDirection::SmallestFirst,
                   true);
        largest = !largest;
        for (int p = 0; p < kPageRows; ++p) table.rowTexts(p, cells);
        benchmark::DoNotOptimize(cells.data());
    }
}
// XG(-) (magnitudes), ZG(+) and a width column.
BENCHMARK(BM_SortAndRefillPage)->Arg(5)->Arg(15)->Arg(18)->Unit(benchmark::kMillisecond);

void BM_FindMaximum(benchmark::State& state) {
    BenchData& d = benchData();
    kv::ListTable table(*d.data, d.identity);
    for (auto _ : state) benchmark::DoNotOptimize(table.findMaximum(15, true));
}
BENCHMARK(BM_FindMaximum)->Unit(benchmark::kMillisecond);

void BM_FindAtLeastNothing(benchmark::State& state) {
    BenchData& d = benchData();
    kv::ListTable table(*d.data, d.identity);
    // A threshold no row reaches: the whole table is scanned.
    for (auto _ : state) benchmark::DoNotOptimize(table.findAtLeast(15, true, 0, 1000.0f));
}
BENCHMARK(BM_FindAtLeastNothing)->Unit(benchmark::kMillisecond);

}  // namespace
