#include <benchmark/benchmark.h>

#include <QApplication>
#include <cmath>
#include <memory>
#include <numbers>
#include <random>

#include "analysis/file_analysis.h"
#include "app/qt_host.h"
#include "base/datetime.h"
#include "settings/pc_settings.h"
#include "viewer/TShockAnalysis.h"
#include "viewer/TTripStatistics.h"

// The analysis windows as a person uses them: the shock analysis switching to
// the next record of a full triaxial wave file at 1 ms (the analysis with its
// spectrum, the table and the repaint of the whole window), beside the
// analysis alone; and the trip statistics of the fullest peak file, opened
// (statistics, tables, histogram, repaint) and made again for other data.
// Runs on the platform QT_QPA_PLATFORM names (offscreen by default).
namespace {

using namespace kv;

struct Program {
    Program() {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QApplication>(argc, argv);
    }
    int argc = 1;
    char name[8] = "bench";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QApplication> app;
    QtHost host;
    PcSettings settings;
};

Program& program() {
    static Program* p = new Program;
    return *p;
}

// 500 records of half-sines of 2 to 11 ms and 5 to 60 G on three axes, with
// noise, sampled every millisecond.
struct WaveFile {
    DataSet data;
    RecorderIdentity identity;
    WaveFile() {
        std::mt19937 random(3);
        std::uniform_real_distribution<double> noise(-0.3, 0.3), peak(5, 60), width(2, 11);
        data.filePath = "KV63W.csv";
        data.samplePeriodText = "1";
        data.rangeG = 50;
        data.lastIndex = kWaveCapacity - 1;
        for (int r = 0; r < kWaveCapacity; ++r)
            for (int a = 0; a < 3; ++a) {
                WaveBlock& b = data.waveRecords[a][r];
                b.time = 41713.375 + r / 1440.0;
                const double p = peak(random), w = width(random);
                for (int s = 0; s < kWaveSamples; ++s) {
                    const double t = s - 100;
                    const double pulse =
                        t >= 0 && t <= w ? p * std::sin(std::numbers::pi * t / w) : 0;
                    b.samples[s] =
                        static_cast<float>(std::round((pulse + noise(random)) * 100) / 100);
                }
            }
        identity.modelCode = 6300;
        identity.sensorRange = 50;
        identity.waveData = 1;
    }
};

// 120000 triaxial peak rows, one every 10 s.
struct PeakFile {
    DataSet data;
    RecorderIdentity identity;
    PeakFile() {
        std::mt19937 random(1);
        std::uniform_real_distribution<float> g(0, 60);
        std::uniform_int_distribution<int> ms(1, 40);
        data.filePath = "KV63P.csv";
        data.rangeG = 50;
        data.lastIndex = kPeakCapacity - 1;
        for (int i = 0; i < kPeakCapacity; ++i) {
            PeakRow& r = data.peakRows[i];
            for (int a = 0; a < 3; ++a) {
                r.time[a] = 41713.375 + (i * 10.0 + a) / kSecondsPerDay;
                r.peak[2 * a] = std::round(g(random) * 100) / 100;
                r.peak[2 * a + 1] = -std::round(g(random) * 100) / 100;
                r.width[2 * a] = ms(random);
                r.width[2 * a + 1] = ms(random);
            }
        }
        identity.modelCode = 6300;
        identity.sensorRange = 50;
        identity.waveData = 0;
    }
};

WaveFile& waveFile() {
    static WaveFile* file = new WaveFile;
    return *file;
}

PeakFile& peakFile() {
    static PeakFile* file = new PeakFile;
    return *file;
}

void BM_SwitchRecordInTheAnalysisWindow(benchmark::State& state) {
    Program& p = program();
    WaveFile* file = &waveFile();
    TShockAnalysis window(file->data, file->identity, p.settings, p.host);
    window.show();
    QApplication::processEvents();
    int record = 0;
    for (auto _ : state) {
        record = (record + 1) % kWaveCapacity;
        window.showRecord(record);
        window.repaint();
    }
}
BENCHMARK(BM_SwitchRecordInTheAnalysisWindow)->Unit(benchmark::kMillisecond);

// The analysis with its spectrum alone: what the window adds to it is the rest.
void BM_AnalyseOneRecordWithSpectrum(benchmark::State& state) {
    WaveFile* file = &waveFile();
    const DataHeader header = dataHeaderOf(file->data, file->identity);
    const SrsPlan plan = planSrs(header.samplePeriodMs, 10);
    int record = 0;
    for (auto _ : state) {
        record = (record + 1) % kWaveCapacity;
        benchmark::DoNotOptimize(analyseWaveRecord(file->data, header, record, 0.5, &plan));
    }
}
BENCHMARK(BM_AnalyseOneRecordWithSpectrum)->Unit(benchmark::kMillisecond);

// The first opening: the window made, filled, shown and painted.
void BM_OpenTripStatistics(benchmark::State& state) {
    Program& p = program();
    PeakFile* file = &peakFile();
    for (auto _ : state) {
        TTripStatistics window(file->data, file->identity, p.settings, p.host);
        window.show();
        QApplication::processEvents();  // shown on the screen, then painted
        window.repaint();
    }
}
BENCHMARK(BM_OpenTripStatistics)->Unit(benchmark::kMillisecond);

// Opened again for other data: the statistics made again and repainted.
void BM_TripStatisticsTakeUpData(benchmark::State& state) {
    Program& p = program();
    PeakFile* file = &peakFile();
    TTripStatistics window(file->data, file->identity, p.settings, p.host);
    window.show();
    QApplication::processEvents();
    for (auto _ : state) {
        window.takeData();
        window.repaint();
    }
}
BENCHMARK(BM_TripStatisticsTakeUpData)->Unit(benchmark::kMillisecond);

}  // namespace
