#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "../tests/datafile/sample_data_files.h"
#include "analysis/file_summary.h"
#include "base/sha256.h"
#include "base/silent_host.h"
#include "datafile/data_file_loader.h"

// A summary of a fleet of files, with one and two jobs, beside the loader
// alone over the same files (each load into stores that are reused, as a
// careful loop would): the ratio says what analysing, judging and the file's
// SHA-256 add to reading it. Wall time is what the jobs shorten; the CPU time
// is the whole process's, all threads together.
namespace {

constexpr int kFiles = 1000;
constexpr int kRows = 5000;

// 1000 triaxial peak files of 5000 rows, made once and kept between runs.
const std::vector<std::string>& fleet() {
    static std::vector<std::string> paths;
    if (!paths.empty()) return paths;
    const auto folder = std::filesystem::temp_directory_path() / "kv_bench_fleet";
    std::filesystem::create_directories(folder);
    kv::test::SampleDataFile file;
    file.model = 6300;
    file.records = kRows;
    file.peakOf = [](int r, int a) { return (r * 37 + a * 11) % 1200 * 0.0125; };
    const std::string bytes = file.bytes();
    for (int i = 0; i < kFiles; ++i) {
        const auto path = folder / ("KV63P07-20140315" + std::to_string(10000 + i) + ".CSV");
        std::error_code ec;
        if (std::filesystem::file_size(path, ec) != bytes.size())
            std::ofstream(path, std::ios::binary) << bytes;
        paths.push_back(path.string());
    }
    return paths;
}

kv::Limits limits() {
    kv::Limits l;
    for (int a = 0; a < 3; ++a) {
        l.warningG[a] = 10;
        l.alarmG[a] = 14;
    }
    l.dropHeightCm = 80;
    return l;
}

void BM_LoaderAlone(benchmark::State& state) {
    const auto& files = fleet();
    kv::DataSet data, spare;
    kv::RecorderIdentity identity;
    kv::SilentHost host;
    for (auto _ : state)
        for (const std::string& path : files)
            if (!kv::loadDataFile(path, data, identity, host, &spare)) state.SkipWithError("load");
    state.SetItemsProcessed(state.iterations() * kFiles);
}

void BM_Summary(benchmark::State& state) {
    const auto& files = fleet();
    const int jobs = static_cast<int>(state.range(0));
    int judged = 0;
    for (auto _ : state)
        kv::summariseFiles(files, jobs, limits(), kv::AnalysisOptions{},
                           [&](size_t, const kv::FileSummary& s) {
                               judged += s.outcome == kv::FileSummary::Outcome::Judged;
                           });
    if (judged != kFiles * static_cast<int>(state.iterations())) state.SkipWithError("judged");
    state.SetItemsProcessed(state.iterations() * kFiles);
}

// The parts of a summary one at a time, for one file: where the time goes.
void BM_OneFileParts(benchmark::State& state) {
    const std::string& path = fleet().front();
    kv::DataSet data, spare;
    kv::RecorderIdentity identity;
    kv::SilentHost host;
    kv::loadDataFile(path, data, identity, host, &spare);
    kv::FileAnalysis peaks;  // what the summary judges a peak file with
    peaks.header = kv::dataHeaderOf(data, identity);
    kv::SummaryWorker worker(limits(), kv::AnalysisOptions{});
    for (auto _ : state) {
        switch (state.range(0)) {
            case 0:
                kv::loadDataFile(path, data, identity, host, &spare);
                break;
            case 1: {
                std::string hex;
                int error = 0;
                benchmark::DoNotOptimize(kv::sha256OfFile(path, hex, error));
                break;
            }
            case 2:
                benchmark::DoNotOptimize(kv::judgeFile(peaks, data, limits()));
                break;
            default:
                benchmark::DoNotOptimize(worker.summarise(path));
        }
    }
}

}  // namespace

BENCHMARK(BM_LoaderAlone)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();
BENCHMARK(BM_Summary)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime();
// 0: the load; 1: the SHA-256 of the file; 2: the verdict; 3: all of it.
BENCHMARK(BM_OneFileParts)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);
