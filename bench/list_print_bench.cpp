#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "datafile/data_set.h"
#include "list/list_print_rows.h"
#include "list/list_printing.h"

// The printed list of the largest data set, measured beside the least a PDF
// of the same texts costs: one drawText per cell on a fixed grid, the same
// number of pages, no rules, no measuring, no layout. Both report pages/s.
namespace {

constexpr int kRows = kv::kPeakCapacity;

void needGui() {
    static std::unique_ptr<QGuiApplication> app;
    if (app) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "list_print_bench";
    static char* argv[] = {name, nullptr};
    app = std::make_unique<QGuiApplication>(argc, argv);
}

struct Triaxial {
    kv::DataSet data;
    kv::RecorderIdentity identity;
    std::vector<int32_t> order;

    Triaxial() : order(kRows) {
        identity.modelCode = 6300;
        identity.sensorRange = 50;
        data.filePath = "/home/kv/KV-DATAS/KV6300P0001_0001.CSV";
        data.modelText = "6300";
        data.rangeG = 50;
        data.modeText = "ピークモード";
        data.lastIndex = kRows - 1;
        for (int r = 0; r < kRows; ++r) {
            kv::PeakRow& row = data.peakRows[r];
            for (int a = 0; a < 3; ++a) {
                row.time[a] = 45000.25 + (r * 3 + a) / 86400.0;
                row.peak[2 * a] = static_cast<float>((r * 37 + a) % 6000) / 100.0f;
                row.peak[2 * a + 1] = -static_cast<float>((r * 53 + a) % 6000) / 100.0f;
                row.width[2 * a] = (r + a) % 1000;
                row.width[2 * a + 1] = (r * 7 + a) % 1000;
            }
            order[r] = kRows - 1 - r;
        }
    }
};

Triaxial& triaxial() {
    static Triaxial set;
    return set;
}

std::string outPath() {
    return (std::filesystem::temp_directory_path() / "list_print_bench.pdf").string();
}

int pageCount(const std::string& pdf) {
    std::string command = "pdfinfo '" + pdf + "' 2>/dev/null | sed -n 's/^Pages: *//p'";
    FILE* pipe = ::popen(command.c_str(), "r");
    int pages = 0;
    if (pipe) {
        if (std::fscanf(pipe, "%d", &pages) != 1) pages = 0;
        ::pclose(pipe);
    }
    return pages;
}

int printedPages = 0;

void BM_PrintListTriaxialPeak(benchmark::State& state) {
    needGui();
    Triaxial& set = triaxial();
    const std::string pdf = outPath();
    for (auto _ : state) {
        std::string error;
        if (!kv::printListToPdf(pdf, {&set.data, &set.identity, &set.order, 1, kRows}, error))
            state.SkipWithError(error.c_str());
    }
    printedPages = pageCount(pdf);
    state.counters["pages"] = printedPages;
    state.counters["pages/s"] = benchmark::Counter(
        static_cast<double>(printedPages) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PrintListTriaxialPeak)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

// The same cells, as many pages, one drawText each.
void BM_PlainCellsPdf(benchmark::State& state) {
    needGui();
    Triaxial& set = triaxial();
    const int pages = printedPages > 0 ? printedPages : 2600;
    const int perPage = (kRows + pages - 1) / pages;
    kv::DataSetPrintRows rows(set.data, set.identity, kv::ListPrintKind::TriaxialPeak, set.order, 1,
                              kRows);
    const std::string pdf = outPath();
    std::vector<std::string> cells;
    for (auto _ : state) {
        QPdfWriter writer(QString::fromStdString(pdf));
        writer.setResolution(600);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageOrientation(QPageLayout::Landscape);
        QPainter painter(&writer);
        QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
        font.setPixelSize(34);
        painter.setFont(font);
        for (int i = 0; i < kRows; ++i) {
            if (i > 0 && i % perPage == 0) writer.newPage();
            rows.cells(i, cells);
            const int y = 800 + (i % perPage) * 80;
            for (size_t c = 0; c < cells.size(); ++c)
                painter.drawText(
                    200 + static_cast<int>(c) * 320, y,
                    QString::fromUtf8(cells[c].data(), static_cast<qsizetype>(cells[c].size())));
        }
        painter.end();
    }
    state.counters["pages"] = pages;
    state.counters["pages/s"] = benchmark::Counter(static_cast<double>(pages) * state.iterations(),
                                                   benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PlainCellsPdf)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

}  // namespace
