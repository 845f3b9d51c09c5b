#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <random>
#include <vector>

#include "base/datetime.h"
#include "viewer/graph_drawing.h"
#include "viewer/graph_export.h"

// Repaints of the graph window's boxes into an image, the offscreen twin of a
// widget's backing store. The peak view is measured beside one drawLines call
// with as many segments as it has bars: the plain cost of putting them there.
namespace {

using namespace kv;

void ensureApplication() {
    static int argc = 1;
    static char name[] = "graph_drawing_bench";
    static char* argv[] = {name, nullptr};
    if (!QGuiApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        new QGuiApplication(argc, argv);
    }
}

// The fullest peak file: 120000 triaxial rows, one every 10 s.
struct PeakFile {
    DataSet data;
    RecorderIdentity identity;
    GraphViewState view;
    PeakFile() {
        std::mt19937 random(1);
        std::uniform_real_distribution<float> g(0, 110);
        data.filePath = "KV63P.csv";
        data.startTime = encodeDateTimeLenient(CalendarTime{2014, 3, 15, 9, 0, 0, 0});
        data.lastIndex = kPeakCapacity - 1;
        for (int i = 0; i < kPeakCapacity; ++i) {
            PeakRow& r = data.peakRows[i];
            for (int a = 0; a < 3; ++a) {
                r.time[a] = data.startTime + (i * 10.0 + a) / kSecondsPerDay;
                r.peak[2 * a] = g(random);
                r.peak[2 * a + 1] = -g(random);
            }
        }
        data.endTime = data.peakRows[kPeakCapacity - 1].time[2];
        identity.modelCode = 6300;
        identity.sensorRange = 100;
        view.viewMode = kViewAllAxes;
        view.currentScale = defaultPeakScale(data.startTime, data.endTime, 100);
    }
};

PeakFile& peakFile() {
    static PeakFile* file = new PeakFile;
    return *file;
}

void BM_PeakView0_120000Rows(benchmark::State& state) {
    ensureApplication();
    PeakFile& f = peakFile();
    QImage image(1000, 700, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&image);
        GraphSurface surface(p, image.rect());
        surface.setFont(graphLabelFont());
        drawGraphBox(surface, 0, plotMargins(1000, 700, surface.textMetrics()), f.view, f.data,
                     f.identity);
    }
    state.SetItemsProcessed(state.iterations() * 3 * kPeakCapacity);
}
BENCHMARK(BM_PeakView0_120000Rows)->Unit(benchmark::kMillisecond);

void BM_DrawLinesBaseline_360000Segments(benchmark::State& state) {
    ensureApplication();
    PeakFile& f = peakFile();
    QImage image(1000, 700, QImage::Format_RGB32);
    image.fill(Qt::white);
    ScaleMapping m;
    m.setArea(PixelRect{50, 15, 930, 670});
    const GraphScale& s = f.view.currentScale;
    m.setRange(s.xMin, s.yMin, s.xSpan, s.ySpan);
    std::vector<QLine> lines;
    for (int i = 0; i < kPeakCapacity; ++i)
        for (int a = 0; a < 3; ++a) {
            const PeakRow& r = f.data.peakRows[i];
            lines.emplace_back(m.toPixelX(r.time[a]), m.toPixelY(r.peak[2 * a]),
                               m.toPixelX(r.time[a]), m.toPixelY(r.peak[2 * a + 1]));
        }
    for (auto _ : state) {
        QPainter p(&image);
        p.setPen(QPen(Qt::red, 1, Qt::SolidLine, Qt::SquareCap));
        p.drawLines(lines.data(), static_cast<int>(lines.size()));
    }
    state.SetItemsProcessed(state.iterations() * lines.size());
}
BENCHMARK(BM_DrawLinesBaseline_360000Segments)->Unit(benchmark::kMillisecond);

void BM_WaveRecordView4(benchmark::State& state) {
    ensureApplication();
    static DataSet data;
    data.filePath = "KV63W.csv";
    data.samplePeriodText = "2";
    data.lastIndex = 0;
    for (int a = 0; a < 3; ++a)
        for (int s = 0; s < kWaveSamples; ++s)
            data.waveRecords[a][0].samples[s] = 80.0f * std::sin(s / (10.0 + a));
    RecorderIdentity identity;
    identity.modelCode = 6300;
    identity.sensorRange = 100;
    identity.waveData = 1;
    GraphViewState view;
    view.viewMode = kViewSeparate;
    view.currentScale = defaultWaveScale(100);
    QImage image(1000, 700, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&image);
        paintGraphArea(p, 1000, 700, view, data, identity);
    }
}
BENCHMARK(BM_WaveRecordView4)->Unit(benchmark::kMillisecond);

}  // namespace
