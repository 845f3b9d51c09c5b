// Speed of the download: converting and saving a full store of triaxial peak
// records, sorting a full store of keys, and a download of 20000 triaxial
// records from kvsim over a pseudo-terminal.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "base/clock.h"
#include "base/silent_host.h"
#include "base/sort_keys.h"
#include "datafile/data_file.h"
#include "datafile/data_file_header.h"
#include "datafile/data_file_lines.h"
#include "datafile/data_set.h"
#include "download/download_driver.h"
#include "download/peak_conversion.h"
#include "link/protocol_trace.h"
#include "link/termios_device.h"
#include "link/tracing_device.h"
#include "recorder/recorder_state.h"
#include "settings/pc_settings.h"
#include "support/kvsim_process.h"

namespace {

using namespace kv;

RecorderState triaxialRecorder() {
    RecorderState r;
    r.identity.modelCode = 5300;
    r.identity.sensorRange = 100;
    r.info.modelCode = 5300;
    r.info.sensitivity = {2.5, 3.1, 4.7};
    r.index[0].startTime = IndexTime{2014, 3, 15, 9, 0, 0};
    r.index[0].endTime = IndexTime{2014, 3, 20, 9, 0, 0};
    r.index[0].recordCount = kPeakCapacity;
    return r;
}

std::vector<PeakRow> rawRows() {
    std::mt19937 random(3);
    std::vector<PeakRow> rows(kPeakCapacity);
    for (int i = 0; i < kPeakCapacity; ++i) {
        for (int a = 0; a < 3; ++a) {
            rows[i].time[a] = i * 3.0 + a;
            rows[i].peak[2 * a] = static_cast<float>(random() % 1200);
            rows[i].peak[2 * a + 1] = -static_cast<float>(random() % 1200);
            rows[i].width[2 * a] = static_cast<int32_t>(random() % 1500);
            rows[i].width[2 * a + 1] = static_cast<int32_t>(random() % 1500);
        }
    }
    return rows;
}

std::string scratchFile() {
    const char* dir = std::getenv("TMPDIR");
    return std::string(dir ? dir : "/tmp") + "/kv_download_bench.CSV";
}

DataFile createFile(const std::string& path) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    return DataFile(fd, path, true);
}

// What the save of one measurement of 120000 triaxial rows does: convert in
// place, then header and one line per row through the buffered file.
void BM_ConvertAndSaveTriaxialPeaks(benchmark::State& state) {
    static DataSet data;
    const RecorderState r = triaxialRecorder();
    const std::vector<PeakRow> raw = rawRows();
    const std::string path = scratchFile();
    int64_t bytes = 0;
    for (auto _ : state) {
        std::copy(raw.begin(), raw.end(), data.peakRows.begin());
        convertPeakRecord(data, 0, kPeakCapacity, r.index[0].startTime.toDateTime(), r);
        DataFile f = createFile(path);
        writeFileHeader(f, 5300, 0, r);
        for (int i = 0; i < kPeakCapacity; ++i) writePeakLine(f, data, i, 5300);
        if (!f.finish()) state.SkipWithError("write failed");
        struct stat st {};
        ::stat(path.c_str(), &st);
        bytes += st.st_size;
    }
    state.SetBytesProcessed(bytes);
    ::unlink(path.c_str());
}
BENCHMARK(BM_ConvertAndSaveTriaxialPeaks)->UseRealTime()->Unit(benchmark::kMillisecond);

// The baseline: the same number of bytes written in the same chunks.
void BM_WriteSameBytesRaw(benchmark::State& state) {
    const std::string path = scratchFile();
    const std::string chunk(1 << 20, 'x');
    const int64_t total = 15'720'000;  // about the size of the file above
    for (auto _ : state) {
        int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        for (int64_t left = total; left > 0;) {
            size_t n = static_cast<size_t>(std::min<int64_t>(left, chunk.size()));
            if (::write(fd, chunk.data(), n) != static_cast<ssize_t>(n))
                state.SkipWithError("write");
            left -= static_cast<int64_t>(n);
        }
        ::close(fd);
    }
    state.SetBytesProcessed(state.iterations() * total);
    ::unlink(path.c_str());
}
BENCHMARK(BM_WriteSameBytesRaw)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_SortKeys(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    std::mt19937 random(5);
    std::vector<double> keys0(n);
    for (double& k : keys0) k = 41000.0 + (random() % 100000) / 86400.0;
    std::vector<double> keys;
    std::vector<int32_t> indexes(n);
    for (auto _ : state) {
        keys = keys0;
        for (int i = 0; i < n; ++i) indexes[i] = i;
        sortAscendingByKey(keys.data(), n, indexes.data(), [] {});
        benchmark::DoNotOptimize(keys.data());
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_SortKeys)->Arg(500)->Arg(kPeakCapacity)->Unit(benchmark::kMillisecond);

// A host that answers the question with yes and shows nothing.
class QuietHost : public SilentHost {
  public:
    int messageBox(const std::string&, const std::string&, int flags) override {
        if (flags == Error) failed = true;
        return flags == QuestionYesNo ? Yes : Ok;
    }
    bool failed = false;
};

double cpuSecondsOfSelf() {
    rusage ru{};
    getrusage(RUSAGE_SELF, &ru);
    return ru.ru_utime.tv_sec + ru.ru_stime.tv_sec +
           (ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) / 1e6;
}

// User and system time of another process, from /proc.
double cpuSecondsOf(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string stat((std::istreambuf_iterator<char>(in)), {});
    size_t close = stat.rfind(')');
    if (close == std::string::npos) return 0;
    std::istringstream fields(stat.substr(close + 2));
    std::string f;
    double utime = 0, stime = 0;
    for (int field = 3; fields >> f; ++field) {
        if (field == 14) utime = std::stod(f);
        if (field == 15) {
            stime = std::stod(f);
            break;
        }
    }
    return (utime + stime) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// One download of measurement 1 of a 5300 on a device, into a folder of its
// own, traced into a file when asked; what it leaves is removed afterwards.
struct OneDownload {
    OneDownload(SerialDevice& device, Clock& clock, const std::string& devicePath, bool traced)
        : trace(clock, "bench"),
          tracing(device, trace),
          link{traced ? static_cast<SerialDevice&>(tracing) : device, clock, host,
               [devicePath](int) { return devicePath; }, traced ? &trace : nullptr} {
        int error = 0;
        if (traced) traceOk = trace.writeTo(tracePath, error);
        settings.setDataFolder(folder);
        settings.setComPort(1);
        settings.setBaudRate(38400);
        settings.setAutoName(0, true);
        recorder.identity.modelCode = 5300;
        recorder.downloadSelected[0] = true;
    }
    ~OneDownload() {
        for (const auto& f : files) ::unlink(f.c_str());
        ::unlink((folder + "/kvmanager-downloads.csv").c_str());
        ::rmdir(folder.c_str());
        ::unlink(tracePath.c_str());
    }
    bool run(DataSet& data) {
        DownloadJob job(link, settings.downloadSettings(), recorder, data);
        const bool ok = traceOk && downloadLaterGeneration(job) && !host.failed;
        files = job.savedFiles;
        return ok && files.size() == 1;
    }
    double megabytes(const std::string& path) const {
        struct stat st {};
        return ::stat(path.c_str(), &st) == 0 ? static_cast<double>(st.st_size) / 1e6 : 0;
    }

    const std::string folder = scratchFile() + ".d";
    const std::string tracePath = scratchFile() + ".jsonl";
    ProtocolTrace trace;
    TracingDevice tracing;
    QuietHost host;
    Link link;
    PcSettings settings;
    RecorderState recorder;
    bool traceOk = true;
    std::vector<std::string> files;
};

// 20000 triaxial records of one measurement: 4000 transactions of five
// records (191-byte replies), on a line without a baud limit. The two sessions'
// wake-up waits of 1000 ms are part of the time and not of the transactions.
// Argument 1: with the protocol trace written to a file, as kvtool --trace
// and the PC settings' check box do.
void BM_DownloadTriaxialFromKvsim(benchmark::State& state) {
    constexpr int kRecords = 20000;
    static DataSet data;
    for (auto _ : state) {
        test::KvsimProcess sim({"--model", "5300", "--measurements", "1", "--records",
                                std::to_string(kRecords), "--data", "uniform"});
        if (!sim.started()) {
            state.SkipWithError(sim.error().c_str());
            return;
        }
        RealClock clock;
        TermiosDevice device(clock);
        OneDownload download(device, clock, sim.devicePath(), state.range(0) != 0);

        const double cpu0 = cpuSecondsOfSelf();
        const int64_t t0 = clock.nowMs();
        const bool ok = download.run(data);
        const int64_t wallMs = clock.nowMs() - t0;
        const double cpu = cpuSecondsOfSelf() - cpu0;
        const double simCpu = cpuSecondsOf(sim.pid());
        if (!ok) state.SkipWithError("download failed");
        if (!download.files.empty())
            state.counters["file_MB"] = download.megabytes(download.files[0]);
        state.counters["trace_MB"] = download.megabytes(download.tracePath);

        const int transactions = kRecords / 5;
        const double transferMs = static_cast<double>(wallMs) - 2000.0;
        state.SetIterationTime(wallMs / 1000.0);
        state.counters["wall_s"] = wallMs / 1000.0;
        state.counters["ms_per_transaction"] = transferMs / transactions;
        state.counters["cpu_s_program"] = cpu;
        state.counters["cpu_s_kvsim"] = simCpu;
        state.counters["cpu_share_of_wall"] = cpu / (wallMs / 1000.0);
    }
}
BENCHMARK(BM_DownloadTriaxialFromKvsim)
    ->Arg(0)
    ->Arg(1)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);

}  // namespace
