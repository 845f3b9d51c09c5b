#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QGuiApplication>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <numbers>

#include "../tests/datafile/sample_data_files.h"
#include "base/silent_host.h"
#include "datafile/data_file_loader.h"
#include "viewer/trip_report.h"

// The trip report of the largest wave file the store holds (500 triaxial
// records at 1 ms, every one a half-sine beyond the warning level): page 1,
// the 20 largest events one to a page with their waveforms and spectra, and
// the closing block, as PDF bytes in memory.
namespace {

void needGui() {
    static std::unique_ptr<QGuiApplication> app;
    if (app) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "report_bench";
    static char* argv[] = {name, nullptr};
    app = std::make_unique<QGuiApplication>(argc, argv);
}

void BM_WaveReport(benchmark::State& state) {
    needGui();
    kv::test::SampleDataFile file;
    file.model = 6300;
    file.wave = true;
    file.records = kv::kWaveCapacity;
    file.samplePeriodMs = 1;
    file.sampleOf = [](int r, int a, int s) {
        const double x = (s - 100.5) / (8 + (r + a) % 9);
        const double peak = 20 + (r * 7 + a * 13) % 60;
        return x >= 0 && x <= 1 ? peak * std::sin(std::numbers::pi * x) : 0.0;
    };
    const auto path = std::filesystem::temp_directory_path() / "kv_bench_report_wave.CSV";
    std::ofstream(path, std::ios::binary) << file.bytes();
    kv::DataSet data;
    kv::RecorderIdentity identity;
    kv::SilentHost host;
    if (!kv::loadDataFile(path.string(), data, identity, host)) state.SkipWithError("load");
    kv::ReportOptions options;
    options.limits.warningG = {30, 30, 30};
    options.limits.alarmG = {60, 60, 60};
    options.topEvents = 20;
    const kv::ReportFile report{path.string(), &data, &identity, "digest"};
    size_t bytes = 0;
    for (auto _ : state) {
        QByteArray pdf;
        if (!kv::tripReportOfFile(report, options, pdf)) state.SkipWithError("report");
        bytes = pdf.size();
    }
    state.counters["pdf_bytes"] = static_cast<double>(bytes);
}

}  // namespace

BENCHMARK(BM_WaveReport)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();
