// "New measurements only" over a data folder of 1000 files: the headers read
// when there is no journal, and the journal alone when it names them all.
// The target is 200 ms for the 1000 headers; the baseline is opening and
// reading the first block of each file and nothing more.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "datafile/data_file.h"
#include "datafile/data_file_header.h"
#include "download/download_journal.h"
#include "download/saved_measurements.h"
#include "recorder/recorder_state.h"

namespace {

using namespace kv;

constexpr int kFiles = 1000;

RecorderState recorder(int measurementOffset) {
    RecorderState r;
    r.identity.modelCode = 5300;
    r.info.modelCode = 5300;
    r.info.serialNumber = 4321;
    for (int i = 0; i < kMeasurementSlots; ++i) {
        const int day = 1 + (measurementOffset + i) % 28;
        r.index[i].startTime = IndexTime{2014, 3, day, 9, 0, 0};
        r.index[i].endTime = IndexTime{2014, 3, day, 18, 0, 0};
        r.index[i].recordCount = 100;
        r.measurementCounts[i] = 100;
    }
    return r;
}

// A folder of 1000 data files with real headers and 100 peak lines each, once
// per run; with a journal naming every file when asked.
const std::string& folder(bool journal) {
    static std::string made[2];
    std::string& path = made[journal ? 1 : 0];
    if (!path.empty()) return path;
    const char* tmp = std::getenv("TMPDIR");
    path = std::string(tmp ? tmp : "/tmp") + "/kv_saved_bench" + (journal ? "_j/" : "/");
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
    const std::string line =
        "2014/03/15,09:12:34,+1.25,0012,-0.50,0003,,2014/03/15,09:12:34,"
        "+1.25,0012,-0.50,0003,,2014/03/15,09:12:34,+1.25,0012,-0.50,0003,\r\n";
    for (int n = 0; n < kFiles; ++n) {
        const RecorderState r = recorder(n);
        const std::string name = "KV53P01-20250401" + std::to_string(10000 + n) + "-01.CSV";
        const int fd = ::open((path + name).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        DataFile f(fd, path + name, true);
        writeFileHeader(f, 5300, 0, r);
        for (int i = 0; i < 100; ++i) f.write(line);
        f.finish();
        if (journal)
            journalSavedFile(path, path + name, journalEntryOf(r, 5300, 0, 1, 100), 45000.0);
    }
    return path;
}

void BM_FindSavedAmongFiles(benchmark::State& state) {
    const bool journal = state.range(0) != 0;
    const std::string& path = folder(journal);
    const RecorderState r = recorder(3);
    size_t found = 0;
    for (auto _ : state) {
        const SavedMeasurements saved = findSavedMeasurements(path, r, false);
        found = 0;
        for (const auto& files : saved) found += files.size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["files"] = kFiles;
    state.counters["found"] = static_cast<double>(found);
}
BENCHMARK(BM_FindSavedAmongFiles)
    ->ArgName("journal")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

// The baseline: open each file and read its first block.
void BM_ReadFirstBlockOfEachFile(benchmark::State& state) {
    const std::string& path = folder(false);
    char block[4096];
    for (auto _ : state) {
        for (const auto& e : std::filesystem::directory_iterator(path)) {
            const int fd = ::open(e.path().c_str(), O_RDONLY);
            benchmark::DoNotOptimize(::read(fd, block, sizeof block));
            ::close(fd);
        }
    }
}
BENCHMARK(BM_ReadFirstBlockOfEachFile)->Unit(benchmark::kMillisecond);

}  // namespace
