#include <benchmark/benchmark.h>

#include <QApplication>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "../tests/datafile/sample_data_files.h"
#include "app/TDataReadForm.h"
#include "app/qt_host.h"
#include "base/clock.h"
#include "datafile/data_file_loader.h"
#include "link/link.h"
#include "link/termios_device.h"
#include "recorder/recorder_state.h"
#include "settings/pc_settings.h"
#include "viewer/TGraph5000.h"

// From the open command's file choice to the first painted graph, with the
// program's own progress window and host, beside the bare load of the same
// file. Runs on the platform QT_QPA_PLATFORM names (offscreen by default; xcb
// under Xvfb for the real window system).
namespace {

const std::string& peakFile() {
    static std::string path;
    if (path.empty()) {
        kv::test::SampleDataFile file;
        file.model = 6300;
        file.records = kv::kPeakCapacity;
        file.peakOf = [](int r, int a) { return (r * 37 + a * 11) % 1200 * 0.0125; };
        path = (std::filesystem::temp_directory_path() / "kv_bench_graph_peak.csv").string();
        std::ofstream(path, std::ios::binary) << file.bytes();
    }
    return path;
}

struct Program {
    Program() {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QApplication>(argc, argv);
        progress = std::make_unique<kv::TDataReadForm>();
        host.setProgressWindow(progress.get());
        graph = std::make_unique<kv::TGraph5000>(link, settings, state, data);
        graph->show();
        QApplication::processEvents();
    }
    int argc = 1;
    char name[8] = "bench";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QApplication> app;
    kv::RealClock clock;
    kv::TermiosDevice device{clock};
    kv::QtHost host;
    kv::Link link{device, clock, host, [](int) { return std::string(); }};
    kv::PcSettings settings;
    kv::RecorderState state;
    kv::DataSet data;
    std::unique_ptr<kv::TDataReadForm> progress;
    std::unique_ptr<kv::TGraph5000> graph;
};

Program& program() {
    static Program p;
    return p;
}

void BM_OpenAndPaint(benchmark::State& state) {
    Program& p = program();
    const QString path = QString::fromStdString(peakFile());
    QWidget* pic = p.graph->findChild<QWidget*>("Pic1");
    for (auto _ : state) {
        if (!p.graph->openDataFile(path)) state.SkipWithError("load failed");
        pic->repaint();
    }
}

void BM_LoadOnly(benchmark::State& state) {
    program();
    kv::DataSet data, spare;
    kv::RecorderIdentity identity;
    // The program's host with its progress window hidden: the parsing alone.
    for (auto _ : state)
        if (!kv::loadDataFile(peakFile(), data, identity, program().host, &spare))
            state.SkipWithError("load failed");
}

}  // namespace

BENCHMARK(BM_LoadOnly)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_OpenAndPaint)->Unit(benchmark::kMillisecond)->MinTime(2.0);
