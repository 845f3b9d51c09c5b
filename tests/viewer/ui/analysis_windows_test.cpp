// The shock-analysis and trip-statistics windows as the graph window opens
// them: following its record and data, their values, controls and files.
#include <gtest/gtest.h>

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableWidget>
#include <cmath>
#include <fstream>
#include <iterator>
#include <sstream>

#include "graph/event_zoom.h"
#include "list/TListShow.h"
#include "viewer/TShockAnalysis.h"
#include "viewer/TTripStatistics.h"
#include "viewer/chart_view.h"
#include "viewer/ui/graph_fixture.h"

namespace kv::test {
namespace {

class AnalysisWindowsTest : public GraphWindowTest {
  protected:
    // A 5100 wave file sampled every ms, range 100 G: record 1 a 50 G, 11 ms
    // half-sine, record 2 the same at 1.25 times the range (cut off), the
    // others a fifth of record 1.
    bool openPulses() {
        SampleDataFile f;
        f.model = 5100;
        f.wave = true;
        f.records = 6;
        f.samplePeriodMs = 1;
        f.sampleOf = [](int r, int, int s) {
            if (s < 100 || s > 111) return 0.0;
            const double scale = r == 0 ? 1.0 : r == 1 ? 2.5 : 0.2;
            return std::round(100 * scale * 50 * std::sin(M_PI * (s - 100) / 11)) / 100;
        };
        return graph->openDataFile(QString::fromStdString(writeFile(f)));
    }
    TShockAnalysis* openAnalysis() {
        click<QToolButton>("btnAnalysis");
        TShockAnalysis* w = graph->shockAnalysis();
        if (!w) stopForMissingControl("TShockAnalysis");
        return w;
    }
    static QString cell(QWidget* window, const char* table, int row, int column) {
        const QTableWidgetItem* item = find<QTableWidget>(window, table)->item(row, column);
        return item ? item->text() : QStringLiteral("<none>");
    }
    static QString recordText(QWidget* window) {
        return find<QLabel>(window, "RecordText")->text();
    }
    // What a screen reader finds: a name on every control, and a name and a
    // description on the chart.
    static void expectReadable(QWidget* window) {
        for (QWidget* w : window->findChildren<QWidget*>()) {
            if (w->objectName().isEmpty() || w->objectName().startsWith("qt_")) continue;
            auto* button = qobject_cast<QAbstractButton*>(w);
            const bool control = button || qobject_cast<QComboBox*>(w) ||
                                 qobject_cast<QAbstractSpinBox*>(w) ||
                                 qobject_cast<QTableWidget*>(w) || qobject_cast<ChartView*>(w);
            if (control) {
                EXPECT_FALSE((button ? button->text() : w->accessibleName()).isEmpty())
                    << w->objectName().toStdString();
            }
        }
        auto* chart = window->findChild<ChartView*>();
        ASSERT_NE(chart, nullptr);
        EXPECT_FALSE(chart->accessibleDescription().isEmpty());
    }
    // Chooses `name` in the next file dialog.
    void answerFileDialog(const std::string& name) {
        onNextModal([this, name](QWidget* window) {
            auto* dialog = qobject_cast<QFileDialog*>(window);
            ASSERT_NE(dialog, nullptr);
            dialog->selectFile(QString::fromStdString(folder.path() + name));
            static_cast<QDialog*>(dialog)->accept();
        });
    }
};

TEST_F(AnalysisWindowsTest, OpenedForTheirKindOfDataAndClosedWithTheGraphOrOtherData) {
    ASSERT_TRUE(open(5300, true));
    EXPECT_EQ(widget("btnAnalysis")->accessibleName(), QStringLiteral("衝撃解析"));
    EXPECT_EQ(widget("btnTrip")->accessibleName(), QStringLiteral("トリップ統計"));
    EXPECT_EQ(action("mnuAnalysis")->text(), QStringLiteral("衝撃解析(&A)…"));
    EXPECT_TRUE(action("mnuAnalysis")->isEnabled());
    EXPECT_FALSE(action("mnuTrip")->isEnabled());
    EXPECT_FALSE(widget("btnTrip")->isEnabled());
    action("mnuAnalysis")->trigger();
    ASSERT_NE(graph->shockAnalysis(), nullptr);
    EXPECT_TRUE(graph->shockAnalysis()->isVisible());
    EXPECT_EQ(graph->shockAnalysis()->windowTitle(), QStringLiteral("衝撃解析"));
    expectReadable(graph->shockAnalysis());

    // A peak file: the analysis goes, the trip statistics come.
    ASSERT_TRUE(open(5100, false));
    EXPECT_FALSE(graph->shockAnalysis()->isVisible());
    EXPECT_FALSE(widget("btnAnalysis")->isEnabled());
    EXPECT_EQ(action("mnuTrip51")->text(), QStringLiteral("トリップ統計(&T)…"));
    click<QToolButton>("btnTrip");
    ASSERT_NE(graph->tripStatistics(), nullptr);
    EXPECT_TRUE(graph->tripStatistics()->isVisible());
    expectReadable(graph->tripStatistics());
    // Another peak file keeps it open with the new numbers; the graph's end closes it.
    ASSERT_TRUE(open(4100, false, 17));
    EXPECT_TRUE(graph->tripStatistics()->isVisible());
    EXPECT_TRUE(action("mnuTrip41")->isEnabled());
    EXPECT_EQ(graph->tripStatistics()->statistics().axisCount, 1);
    click("btnClose");
    EXPECT_FALSE(graph->tripStatistics()->isVisible());
}

TEST_F(AnalysisWindowsTest, FollowsNextPreviousFindAndTheList) {
    ASSERT_TRUE(open(5300, true, 12));
    TShockAnalysis* w = openAnalysis();
    EXPECT_TRUE(recordText(w).startsWith("No.1--"));
    click("Button3");
    EXPECT_EQ(w->record(), 1);
    EXPECT_TRUE(recordText(w).startsWith("No.2--"));
    click("Button4");
    EXPECT_EQ(w->record(), 11);
    click("Button2");
    EXPECT_EQ(w->record(), 10);
    onNextModal([](QWidget* dialog) {
        find<QLineEdit>(dialog, "Edit2")->setText("4");
        find<QPushButton>(dialog, "Button1")->click();
    });
    action("N6")->trigger();
    EXPECT_EQ(w->record(), 3);
    emit windows.listShow->recordChosen(7);
    EXPECT_EQ(w->record(), 7);
    EXPECT_TRUE(recordText(w).startsWith("No.8--"));
    // Triaxial: three axes and the record.
    EXPECT_EQ(find<QTableWidget>(w, "PulseTable")->rowCount(), 4);
    EXPECT_EQ(cell(w, "PulseTable", 3, 0), QStringLiteral("合成"));
}

TEST_F(AnalysisWindowsTest, TableOfAKnownHalfSineTheClippedMarkAndERedoingTheNumbers) {
    ASSERT_TRUE(openPulses());
    TShockAnalysis* w = openAnalysis();
    ASSERT_EQ(find<QTableWidget>(w, "PulseTable")->rowCount(), 2);
    EXPECT_EQ(cell(w, "PulseTable", 0, 0), "X");
    EXPECT_EQ(cell(w, "PulseTable", 0, 1), "49.5");
    EXPECT_EQ(cell(w, "PulseTable", 0, 4), QStringLiteral("半正弦波"));
    // 2·A·g·D/π = 3.43 m/s within 2 %; 26 to 27 cm at e = 0.5.
    EXPECT_NEAR(cell(w, "PulseTable", 1, 3).toDouble(), 3.43, 0.07);
    const double height = cell(w, "PulseTable", 1, 5).toDouble();
    EXPECT_TRUE(height >= 26 && height <= 27) << height;
    EXPECT_TRUE(
        find<QTableWidget>(w, "PulseTable")->horizontalHeaderItem(5)->text().contains("e=0.50"));
    EXPECT_FALSE(find<QLabel>(w, "ClippedText")->isVisible());

    // e = 0.3: the same velocity change falls from (1.5/1.3)² higher, and the
    // INI keeps it.
    find<QDoubleSpinBox>(w, "RestitutionEdit")->setValue(0.3);
    EXPECT_NEAR(cell(w, "PulseTable", 1, 5).toDouble(), height * std::pow(1.5 / 1.3, 2), 0.1);
    EXPECT_TRUE(
        find<QTableWidget>(w, "PulseTable")->horizontalHeaderItem(5)->text().contains("e=0.30"));
    EXPECT_DOUBLE_EQ(settings.restitution, 0.3);
    settings.save();
    PcSettings reread;
    reread.setIniFilePath(settings.iniFilePath());
    reread.load();
    EXPECT_DOUBLE_EQ(reread.restitution, 0.3);

    // The pulse beyond the range: lower bounds with the hint that says why.
    click("Button3");
    EXPECT_TRUE(cell(w, "PulseTable", 0, 1).startsWith(QStringLiteral("≥")));
    EXPECT_TRUE(cell(w, "PulseTable", 0, 3).startsWith(QStringLiteral("≥")));
    EXPECT_TRUE(cell(w, "PulseTable", 1, 5).startsWith(QStringLiteral("≥")));
    const QTableWidgetItem* peak = find<QTableWidget>(w, "PulseTable")->item(0, 1);
    EXPECT_TRUE(peak->toolTip().contains(QStringLiteral("測定範囲")));
    EXPECT_EQ(peak->data(Qt::AccessibleDescriptionRole).toString(), peak->toolTip());
    EXPECT_TRUE(find<QLabel>(w, "ClippedText")->isVisible());
    EXPECT_TRUE(find<QLabel>(w, "ClippedText")->text().contains(QStringLiteral("≥")));
}

TEST_F(AnalysisWindowsTest, QRedoesTheSpectrumAndItsCurvesLieOnTheLogScales) {
    ASSERT_TRUE(openPulses());
    TShockAnalysis* w = openAnalysis();
    auto* chart = find<ChartView>(w, "SpectrumChart");
    auto curvePixelsAreRed = [&](const std::vector<double>& values) {
        const QImage image = chart->grab().toImage();
        const ChartPlan& plan = chart->plan();
        const std::vector<double>& f = chart->picture().spectrum.frequenciesHz;
        const PixelRect& p = plan.layout.plot;
        int checked = 0;
        for (size_t k = 0; k < f.size(); k += 5) {
            const double fx =
                std::log10(f[k] / plan.x.lo()) / std::log10(plan.x.hi() / plan.x.lo());
            const double fy =
                std::log10(values[k] / plan.y.lo()) / std::log10(plan.y.hi() / plan.y.lo());
            const int x = p.left + static_cast<int>(std::lround(fx * p.width()));
            const int y = p.bottom - static_cast<int>(std::lround(fy * p.height()));
            if (y <= p.top || y >= p.bottom) continue;
            EXPECT_EQ(image.pixel(x, y), qRgb(255, 0, 0)) << k;
            ++checked;
        }
        return checked;
    };
    EXPECT_GT(curvePixelsAreRed(w->analysis().srsG[0]), 5);
    EXPECT_EQ(chart->plan().yGrid.caption, "加速度 (G)");
    EXPECT_TRUE(chart->accessibleDescription().contains(QStringLiteral("X 最大")));

    // Q = 20: a sharper oscillator answers a half-sine more strongly at its
    // peak; the INI keeps the choice.
    const std::vector<double> q10 = w->analysis().srsG[0];
    auto* q = find<QComboBox>(w, "QCombo");
    q->setCurrentIndex(q->findText("20"));
    EXPECT_DOUBLE_EQ(settings.srsQ, 20);
    const std::vector<double>& q20 = w->analysis().srsG[0];
    ASSERT_EQ(q20.size(), q10.size());
    EXPECT_GT(*std::max_element(q20.begin(), q20.end()), *std::max_element(q10.begin(), q10.end()));
    EXPECT_TRUE(find<QLabel>(w, "RecordText")->isVisible());

    // Pseudo-velocity: the other values on the other axis.
    find<QRadioButton>(w, "PseudoVelocityButton")->click();
    EXPECT_EQ(chart->picture().spectrum.values[0], w->analysis().pvssMps[0]);
    EXPECT_GT(curvePixelsAreRed(w->analysis().pvssMps[0]), 5);
    EXPECT_EQ(chart->plan().yGrid.caption, "擬似速度 (m/s)");
}

TEST_F(AnalysisWindowsTest, SavesTheSpectrumAsCsvAndTheChartAsPictures) {
    ASSERT_TRUE(openPulses());
    TShockAnalysis* w = openAnalysis();
    answerFileDialog("spectrum");
    find<QAction>(w, "mnuSaveCsv")->trigger();
    std::ifstream in(folder.path() + "spectrum.csv", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    std::vector<std::string> lines;
    for (std::string line; std::getline(text, line);) lines.push_back(line);
    const auto& srs = w->analysis().srsG[0];
    ASSERT_EQ(lines.size(), srs.size() + 1);
    EXPECT_EQ(lines[0], "周波数(Hz),X(G)\r");
    const size_t comma = lines[5].find(',');
    EXPECT_DOUBLE_EQ(std::stod(lines[5].substr(comma + 1)), srs[4]);

    answerFileDialog("chart.png");
    click<QPushButton>("btnSaveImage");
    const QImage png(QString::fromStdString(folder.path() + "chart.png"));
    EXPECT_EQ(png.size(), find<ChartView>(w, "SpectrumChart")->size());
    answerFileDialog("chart.pdf");
    find<QAction>(w, "mnuSaveImage")->trigger();
    std::ifstream pdf(folder.path() + "chart.pdf", std::ios::binary);
    std::string head(4, '\0');
    pdf.read(head.data(), 4);
    EXPECT_EQ(head, "%PDF");
    EXPECT_TRUE(host.messages.empty());

    // The measurement itself, picked by mistake, is never replaced.
    const std::string measurement = data.filePath;
    std::ifstream before(measurement, std::ios::binary);
    const std::string original((std::istreambuf_iterator<char>(before)), {});
    onNextModal([&](QWidget* window) {
        auto* dialog = qobject_cast<QFileDialog*>(window);
        ASSERT_NE(dialog, nullptr);
        // As if the user confirmed the dialog's question about replacing it.
        dialog->setOption(QFileDialog::DontConfirmOverwrite);
        dialog->selectFile(QString::fromStdString(measurement));
        static_cast<QDialog*>(dialog)->accept();
    });
    find<QAction>(w, "mnuSaveCsv")->trigger();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].title, "CSVで保存");
    std::ifstream after(measurement, std::ios::binary);
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(after)), {}), original);
}

TEST_F(AnalysisWindowsTest, TripCountsAndTheDoubleClickZoomOfAKnownEvent) {
    SampleDataFile f;
    f.model = 5300;
    f.records = 300;
    f.timeOf = [&f](int r) { return f.start + r * 10 / 86400.0; };  // every 10 s
    f.peakOf = [](int r, int a) { return r == 120 && a == 1 ? 45.0 : 1.0 + a; };
    ASSERT_TRUE(graph->openDataFile(QString::fromStdString(writeFile(f))));
    click<QToolButton>("btnTrip");
    TTripStatistics* w = graph->tripStatistics();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(find<QLabel>(w, "CountText")->text(),
              QStringLiteral("イベント数  X: 300  Y: 300  Z: 300"));
    // The Y row of the largest positive peak: row 121, with its time.
    EXPECT_EQ(cell(w, "ExtremeTable", 2, 0), "Y");
    EXPECT_EQ(cell(w, "ExtremeTable", 2, 2), "45.0");
    EXPECT_EQ(cell(w, "ExtremeTable", 2, 3), "121");
    EXPECT_EQ(cell(w, "ExtremeTable", 2, 4).toStdString(),
              formatDateTimeText(data.peakRows[120].time[1]));
    EXPECT_TRUE(find<QLabel>(w, "HeightCaption")->text().contains(QStringLiteral("推定")));
    EXPECT_TRUE(find<QLabel>(w, "HeightCaption")->text().contains("e=0.50"));
    EXPECT_EQ(cell(w, "HeightTable", 3, 0), QStringLiteral("最大"));

    // Rows 10 s apart: the five around row 121 fit a minute, centred on it;
    // the Y event brings the Y view.
    auto* table = find<QTableWidget>(w, "ExtremeTable");
    emit table->cellDoubleClicked(2, 0);
    const GraphViewState& v = graph->viewState();
    EXPECT_EQ(v.viewMode, kViewY);
    EXPECT_EQ(v.timeIndex, 1);
    EXPECT_EQ(v.yokoBar.position, eventZoom(data, 120, 1).scroll);
    const DateTime event = data.peakRows[120].time[1];
    EXPECT_LT(std::fabs((v.currentScale.xMin + v.currentScale.xMax) / 2 - event), 10 / 86400.0);
    EXPECT_EQ(find<QLabel>(graph, "TextX")->text(), QStringLiteral("１分"));

    // The histogram's log toggle and the picture.
    find<QCheckBox>(w, "LogCountsBox")->click();
    EXPECT_TRUE(find<ChartView>(w, "EventChart")->picture().histogram.logCounts);
    EXPECT_EQ(find<ChartView>(w, "EventChart")->picture().histogram.counts[1][4],
              1);  // 45 G of 100
}

}  // namespace
}  // namespace kv::test
