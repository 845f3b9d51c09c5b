#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "base/datetime.h"
#include "graph/analysis_texts.h"
#include "graph/event_zoom.h"
#include "graph/zoom_scale.h"

namespace kv {
namespace {

// A single-axis 5100 record holding a 50 G, 11 ms half-sine sampled every ms.
RecordAnalysis halfSineRecord(double scale, double rangeG) {
    DataSet data;
    data.lastIndex = 0;
    for (int i = 0; i <= 11; ++i)
        data.waveRecords[0][0].samples[100 + i] =
            static_cast<float>(scale * 50 * std::sin(std::numbers::pi * i / 11));
    DataHeader header;
    header.model = 5100;
    header.wave = true;
    header.rangeG = rangeG;
    header.samplePeriodMs = 1;
    return analyseWaveRecord(data, header, 0, 0.5, nullptr);
}

TEST(RecordTable, KnownHalfSineClippedPulsesAndFilesWithoutPeriod) {
    const RecordAnalysis r = halfSineRecord(1, 100);
    const auto rows = recordTableRows(r, 50, 1, 0.5);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].cells[0], "X");
    EXPECT_EQ(rows[0].cells[1], "49.5");  // the largest sample: 50 sin(5π/11)
    EXPECT_EQ(rows[0].cells[4], "半正弦波");
    // 2·A·g·D/π = 3.43 m/s within 2 %; 26 to 27 cm at e = 0.5.
    EXPECT_NEAR(std::stod(rows[0].cells[3]), 3.43, 0.07);
    EXPECT_EQ(rows[1].cells[0], "合成");
    EXPECT_EQ(rows[1].cells[3], rows[0].cells[3]);
    const double cm = std::stod(rows[1].cells[5]);
    EXPECT_TRUE(cm >= 26 && cm <= 27) << cm;
    EXPECT_FALSE(rows[0].clipped);
    EXPECT_EQ(recordTableHeaders(0.5)[5], "推定落下高さ(cm) e=0.50");

    // The same pulse at 1.2 times a 40 G range: a lower bound everywhere it
    // counts, the shape as it is.
    const auto clipped = recordTableRows(halfSineRecord(1, 40), 48, 1, 0.5);
    EXPECT_TRUE(clipped[0].clipped);
    EXPECT_EQ(clipped[0].cells[1], "≥49.5");
    EXPECT_EQ(clipped[0].cells[3].rfind("≥", 0), 0u);
    EXPECT_TRUE(clipped[1].clipped);
    EXPECT_EQ(clipped[1].cells[5].rfind("≥", 0), 0u);
    EXPECT_EQ(clipped[1].cells[1], "48.0");  // the recorder's own resultant

    const auto untimed = recordTableRows(halfSineRecord(1, 100), 50, 0, 0.5);
    EXPECT_EQ(untimed[0].cells[2], "—");
    EXPECT_EQ(untimed[1].cells[5], "—");

    const std::vector<std::string> lines = recordTableLines(rows, 0.5);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[1].find("e=0.50"), std::string::npos);
}

TEST(SpectrumCsv, HeaderWithUnitsAndEveryValueInFull) {
    SrsChart c;
    c.axisCount = 3;
    c.frequenciesHz = {2, 2.1189648207450071};
    c.values[0] = {0.1, 1.0 / 3};
    c.values[1] = {2, 3};
    c.values[2] = {4, 5e-7};
    EXPECT_EQ(srsCsvText(c),
              "周波数(Hz),X(G),Y(G),Z(G)\r\n"
              "2,0.1,2,4\r\n"
              "2.118964820745007,0.3333333333333333,3,5e-07\r\n");
    c.pseudoVelocity = true;
    c.axisCount = 1;
    c.frequenciesHz.clear();
    EXPECT_EQ(srsCsvText(c), "周波数(Hz),X(m/s)\r\n");
}

TEST(TripTexts, ExtremesCountsAndEstimatedHeights) {
    TripStatistics t;
    t.axisCount = 3;
    t.axes[0].events = 12;
    t.axes[0].maxPositive = {45.5, 7, encodeDateTimeLenient({2014, 3, 15, 9, 30, 5, 0})};
    t.axes[1].maxNegative = {-3.25, 0, 41713.0};
    t.dropHeightM = {0.012, 0.25, 0.5, 1.234};
    const std::vector<ExtremeRow> rows = extremeRows(t, 50);
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[0].cells,
              (std::array<std::string, 5>{"X", "+", "45.5", "8", "2014/03/15 09:30:05"}));
    EXPECT_EQ(rows[1].cells[2], "—");  // no negative peak on X
    EXPECT_FALSE(rows[0].clipped);
    // Written as 1.2 times the range: cut off, further from zero than shown.
    t.axes[0].maxPositive.g = 60;
    t.axes[1].maxNegative.g = -60;
    EXPECT_EQ(extremeRows(t, 50)[0].cells[2], "≥60.0");
    EXPECT_EQ(extremeRows(t, 50)[3].cells[2], "≤-60.0");
    EXPECT_EQ(rows[3].cells[1], "−");
    EXPECT_EQ(rows[3].cells[3], "1");
    EXPECT_EQ(eventCountText(t), "イベント数  X: 12  Y: 0  Z: 0");
    const std::vector<PercentileRow> p = percentileRows(t);
    ASSERT_EQ(p.size(), 4u);
    EXPECT_EQ(p[0].heightCm, "1.2");
    EXPECT_EQ(p[3].name, "最大");
    EXPECT_EQ(p[3].heightCm, "123.4");
    EXPECT_NE(percentileCaption(0.3).find("推定"), std::string::npos);
    EXPECT_NE(percentileCaption(0.3).find("e=0.30"), std::string::npos);
}

// Rows `gapSeconds` apart from 2014/03/15 09:00:00 on every axis.
DataSet peakRowsEvery(double gapSeconds, int count) {
    DataSet d;
    d.startTime = encodeDateTimeLenient({2014, 3, 15, 9, 0, 0, 0});
    for (int i = 0; i < count; ++i)
        for (int a = 0; a < 3; ++a) d.peakRows[i].time[a] = d.startTime + i * gapSeconds / 86400;
    d.lastIndex = count - 1;
    d.endTime = d.peakRows[count - 1].time[0];
    return d;
}

TEST(EventZoom, NarrowestWindowHoldingTheFiveRowsCentredAsFarAsTheBarGoes) {
    struct Case {
        double gapSeconds;
        int rows, row;
        EventZoom want;
    };
    const Case cases[] = {
        // Rows 10 s apart: 40 s fit a minute; row 100 at 9:16:40 is nearest
        // the centre from position 65 of the 15 s steps (9:16:15 … 9:17:15).
        {10, 300, 100, {1, 65}},
        // Near the start the bar stops at 0; the five nearest rows are 0 … 4.
        {10, 300, 0, {1, 0}},
        {10, 300, 1, {1, 0}},
        // Near the end it stops where the window reaches the last row.
        {10, 300, 299, {1, 196}},
        // A minute apart: four minutes fit 5 minutes only where the quarter
        // steps allow; otherwise the next window.
        {60, 300, 150, {3, 118}},
        // Rows a month apart: four months fit six; two months apart they fit
        // no window but the whole measurement's.
        {30 * 86400.0, 12, 6, {18, 2}},
        {60 * 86400.0, 12, 6, {0, 0}},
    };
    for (const Case& c : cases) {
        const DataSet d = peakRowsEvery(c.gapSeconds, c.rows);
        const EventZoom z = eventZoom(d, c.row, 1);
        EXPECT_EQ(z, c.want) << c.gapSeconds << " s, row " << c.row << ": got " << z.timeIndex
                             << "," << z.scroll;
        if (z.timeIndex == 0) continue;
        // What the window shows then holds the five rows.
        GraphViewState v;
        setZoom(v, z.timeIndex, 0, false, d.startTime, d.endTime, 100);
        scrollTo(v, z.scroll, 0, 100);
        const int first = std::clamp(c.row - 2, 0, c.rows - 5);
        EXPECT_LE(v.currentScale.xMin, d.peakRows[first].time[1]);
        EXPECT_GE(v.currentScale.xMax, d.peakRows[first + 4].time[1]);
    }
}

}  // namespace
}  // namespace kv
