#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "../tests/datafile/sample_data_files.h"
#include "base/silent_host.h"
#include "datafile/data_file_loader.h"

// Loading is measured beside reading the same file into memory, so the ratio
// says what the parsing costs over the disk cache. Both report bytes/second.
namespace {

// The largest files the store holds: 120000 triaxial peak rows, and 500
// triaxial wave records.
const std::string& benchFile(bool wave) {
    static std::string paths[2];
    std::string& path = paths[wave];
    if (path.empty()) {
        kv::test::SampleDataFile file;
        file.model = 6300;
        file.wave = wave;
        file.records = wave ? kv::kWaveCapacity : kv::kPeakCapacity;
        // Peaks and samples of every magnitude the writer prints.
        file.peakOf = [](int r, int a) { return (r * 37 + a * 11) % 1200 * 0.0125; };
        file.sampleOf = [](int r, int a, int s) {
            return ((r + a * 7 + s * 13) % 2400 - 1200) * 0.0125;
        };
        path = (std::filesystem::temp_directory_path() /
                (wave ? "kv_bench_wave.CSV" : "kv_bench_peak.CSV"))
                   .string();
        std::ofstream(path, std::ios::binary) << file.bytes();
    }
    return path;
}

void BM_ReadIntoMemory(benchmark::State& state) {
    const std::string& path = benchFile(state.range(0));
    std::vector<char> buffer(std::filesystem::file_size(path));
    for (auto _ : state) {
        std::FILE* f = std::fopen(path.c_str(), "rb");
        size_t n = std::fread(buffer.data(), 1, buffer.size(), f);
        std::fclose(f);
        benchmark::DoNotOptimize(n);
    }
    state.SetBytesProcessed(state.iterations() * int64_t(buffer.size()));
}

void BM_LoadDataFile(benchmark::State& state) {
    const std::string& path = benchFile(state.range(0));
    kv::DataSet data, spare;
    kv::RecorderIdentity identity;
    kv::SilentHost host;
    for (auto _ : state) {
        if (!kv::loadDataFile(path, data, identity, host, &spare))
            state.SkipWithError("load failed");
    }
    state.SetBytesProcessed(state.iterations() * int64_t(std::filesystem::file_size(path)));
}

}  // namespace

// Argument 0: triaxial peak file; 1: triaxial wave file.
BENCHMARK(BM_ReadIntoMemory)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadDataFile)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
