#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "graph/analysis_charts.h"
#include "graph/chart_axes.h"

namespace kv {
namespace {

TEST(ChartAxis, PutsValuesOnTheirLogarithmOrValueRoundedToThePixel) {
    struct Case {
        double lo, hi;
        bool log;
        int p0, p1;
        double v;
        int want;
    };
    const Case cases[] = {
        // Two decades over 200 pixels: a decade per 100, 2 at log10(2) of one.
        {1, 100, true, 10, 210, 1, 10},
        {1, 100, true, 10, 210, 10, 110},
        {1, 100, true, 10, 210, 100, 210},
        {1, 100, true, 10, 210, 2, 40},
        {1, 100, true, 10, 210, 50, 180},
        // A vertical axis grows upwards from its bottom pixel.
        {0.1, 10, true, 300, 100, 1, 200},
        {0.1, 10, true, 300, 100, 5, 130},
        // Outside the range: beyond the ends, for the clipping to cut.
        {1, 100, true, 10, 210, 1000, 310},
        {1, 100, true, 10, 210, 1e-300, 10 - 30000},
        // No place on a log axis for 0: the axis' start, never a crash.
        {1, 100, true, 10, 210, 0, 10},
        {0, 11, false, 0, 110, 5.5, 55},
        {0, 50, false, 400, 0, 20, 240},
    };
    for (const Case& c : cases) {
        ChartAxis a(c.lo, c.hi, c.log);
        a.setPixels(c.p0, c.p1);
        EXPECT_EQ(a.toPixel(c.v), c.want) << c.lo << ".." << c.hi << " at " << c.v;
    }
    ChartAxis log(1, 10, true);
    EXPECT_FALSE(log.shows(0));
    EXPECT_FALSE(log.shows(-1));
    EXPECT_FALSE(log.shows(NAN));
    EXPECT_TRUE(ChartAxis(0, 1, false).shows(0));
}

TEST(ChartAxis, TicksAreTheOneTwoFiveOfEachDecadeWithTheDecadesMajor) {
    using T = std::vector<AxisTick>;
    EXPECT_EQ(
        logTicks(1, 100),
        (T{{1, true}, {2, false}, {5, false}, {10, true}, {20, false}, {50, false}, {100, true}}));
    // Ends that are not decades, and values that are off by a rounding error.
    const T half = logTicks(0.5, 10);
    ASSERT_EQ(half.size(), 5u);
    EXPECT_DOUBLE_EQ(half.front().value, 0.5);
    EXPECT_TRUE(half[1].major);
    EXPECT_EQ(logTicks(0.001, 0.01).size(), 4u);
    EXPECT_TRUE(logTicks(0, 10).empty());

    struct Range {
        double minPositive, max;
        int decades;
        ValueRange want;
    };
    const Range ranges[] = {
        {2, 100, 12, {1, 100}},  // a 1 ms record's frequencies
        {0.198, 10.1, 12, {0.1, 100}},
        {4.4, 80, 5, {1, 100}},      // a 50 G half-sine's spectrum
        {1e-9, 80, 5, {1e-3, 100}},  // at most five decades below the top
        {10, 10, 5, {1, 10}},        // one value on a decade: the decade below it
        {0, 0, 5, {1, 10}},          // nothing positive
        {NAN, 3, 5, {1, 10}},
    };
    for (const Range& r : ranges) {
        const ValueRange got = decadeRange(r.minPositive, r.max, r.decades);
        EXPECT_DOUBLE_EQ(got.lo, r.want.lo) << r.minPositive << ".." << r.max;
        EXPECT_DOUBLE_EQ(got.hi, r.want.hi) << r.minPositive << ".." << r.max;
    }

    struct Linear {
        double max;
        int divisions;
        LinearRange want;
    };
    const Linear linear[] = {
        {0, 5, {1, 1}},
        {3, 8, {3, 1}},
        {7, 5, {8, 2}},
        {47, 5, {50, 10}},
        {120000, 6, {120000, 20000}},
    };
    for (const Linear& l : linear)
        EXPECT_EQ(niceLinearRange(l.max, l.divisions, 1), l.want) << l.max;

    EXPECT_EQ(tickText(0.05), "0.05");
    EXPECT_EQ(tickText(1000), "1000");
    EXPECT_EQ(tickText(0.1 + 0.2), "0.3");
    EXPECT_EQ(tickText(5 * std::pow(10.0, -3)), "0.005");
    EXPECT_EQ(tickText(-1e-17), "0");
}

TEST(ChartAxis, LabelThinningKeepsTheImportantLabelsAndNeverOverlaps) {
    // Decades 100 px apart, their 2s and 5s between, every label 24 px wide.
    std::vector<LabelSlot> slots;
    for (int d = 0; d < 3; ++d) {
        slots.push_back({100 * d, 24, 0});
        if (d < 2) {
            slots.push_back({100 * d + 30, 24, 2});
            slots.push_back({100 * d + 70, 24, 1});
        }
    }
    const std::vector<bool> all = thinLabels(slots, 4, -12, 212);
    EXPECT_EQ(std::count(all.begin(), all.end(), true), 7);
    // Squeezed to a third: only what keeps 4 pixels apart, the decades first.
    for (LabelSlot& s : slots) s.centre /= 3;
    const std::vector<bool> few = thinLabels(slots, 4, -12, 80);
    EXPECT_EQ(few, (std::vector<bool>{true, false, false, true, false, false, true}));
    // A label that leaves the box is never drawn.
    const std::vector<bool> cut = thinLabels(slots, 4, 0, 60);
    EXPECT_FALSE(cut[0]);
    EXPECT_FALSE(cut.back());
}

TEST(ChartAxis, GridLabelsThinToEveryKthKeepingZeroAndTheUnit) {
    // The 13 G labels of a graph, 15 pixels high, from the bottom up; the zero
    // line (6) and the top line with the unit (12) always labelled.
    auto gLabels = [](int pitch, int zero) {
        std::vector<LabelSlot> labels;
        for (int i = 0; i <= 12; ++i)
            labels.push_back({400 - i * pitch, 15, i == zero || i == 12 ? 0 : 1});
        return labels;
    };
    auto kept = [](const std::vector<bool>& labelled) {
        std::vector<int> out;
        for (size_t i = 0; i < labelled.size(); ++i)
            if (labelled[i]) out.push_back(static_cast<int>(i));
        return out;
    };
    struct Case {
        const char* name;
        int pitch;
        int zero;  // -1: no zero line on show
        std::vector<int> labelled;
    };
    const Case cases[] = {
        {"room for all", 27, 6, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
        {"every third", 10, 6, {0, 3, 6, 9, 12}},
        {"every fourth; 10 gives way to the unit", 6, 6, {2, 6, 12}},
        {"no zero: counted from the unit", 6, -1, {0, 4, 8, 12}},
        {"zero at the bottom of a zoom", 6, 0, {0, 4, 8, 12}},
    };
    for (const Case& c : cases) {
        const std::vector<LabelSlot> labels = gLabels(c.pitch, c.zero);
        EXPECT_EQ(kept(everyKthLabel(labels, c.zero < 0 ? 12 : c.zero, 7)), c.labelled) << c.name;
    }
    // Time labels of different widths: 0 … 400 and 500(ms) every 25 pixels.
    std::vector<LabelSlot> times;
    for (int i = 0; i <= 5; ++i) times.push_back({25 * i, i == 0 ? 10 : i == 5 ? 40 : 20, 0});
    for (int i = 1; i < 5; ++i) times[i].priority = 1;
    EXPECT_EQ(kept(everyKthLabel(times, 0, 7)), (std::vector<int>{0, 2, 5}));
}

TEST(ChartAxis, LayoutGivesTheLegendARowOfItsOwnWhenItDoesNotFitBesideTheCaption) {
    TextMeasure text;
    text.height = 14;
    text.digitWidth = 7;
    const ChartLayout wide = chartLayout(600, 400, text, 1, 70, 28, 110);
    EXPECT_EQ(wide.captionTop, 14);
    EXPECT_EQ(wide.legendTop, 14);
    EXPECT_EQ(wide.plot, (PixelRect{42, 36, 578, 363}));
    EXPECT_EQ(wide.xLabelTop, 371);
    EXPECT_EQ(wide.xCaptionTop, 385);  // its line ends on the box's last row
    const ChartLayout narrow = chartLayout(200, 400, text, 1, 70, 28, 110);
    EXPECT_EQ(narrow.legendTop, 28);
    EXPECT_EQ(narrow.plot.top, 50);
    // Too small for anything: still an area of a pixel, never an inverted one.
    const ChartLayout tiny = chartLayout(20, 20, text, 0, 70, 28, 110);
    EXPECT_GT(tiny.plot.right, tiny.plot.left);
    EXPECT_GT(tiny.plot.bottom, tiny.plot.top);
}

// Characters of 7 pixels, lines of 14.
TextMeasure fixedText() {
    TextMeasure t;
    t.height = 14;
    t.digitWidth = 7;
    t.width = [](const std::string& s) { return 7 * static_cast<int>(s.size()); };
    return t;
}

// A triaxial spectrum at the frequencies of a 1 ms record.
SrsChart sampleSpectrum() {
    SrsChart c;
    c.axisCount = 3;
    for (int k = 12; std::pow(2.0, k / 12.0) <= 100 + 1e-9; ++k) {
        const double f = std::pow(2.0, k / 12.0);
        c.frequenciesHz.push_back(f);
        c.values[0].push_back(4 * f);
        c.values[1].push_back(2 * f);
        c.values[2].push_back(f < 10 ? 0 : 0.5 * f);
    }
    return c;
}

bool overlapping(const std::vector<ChartLabel>& labels, const TextMeasure& t, bool across) {
    for (size_t i = 1; i < labels.size(); ++i) {
        const int a = labels[i - 1].centre, b = labels[i].centre;
        const int reach =
            across ? (t.width(labels[i - 1].text) + t.width(labels[i].text)) / 2 : t.height;
        if (std::abs(b - a) < reach) return true;
    }
    return false;
}

TEST(SrsChartPlan, DecadeGridCurvesOnTheLogScaleAndLabelsThatFit) {
    const SrsChart chart = sampleSpectrum();
    const TextMeasure text = fixedText();
    const ChartPlan plan = planSrsChart(chart, 700, 450, text, {"title"});
    // 2 … 100 Hz on 1 … 100; 1 … 400 G on 1 … 1000.
    EXPECT_DOUBLE_EQ(plan.x.lo(), 1);
    EXPECT_DOUBLE_EQ(plan.x.hi(), 100);
    EXPECT_DOUBLE_EQ(plan.y.lo(), 1);
    EXPECT_DOUBLE_EQ(plan.y.hi(), 1000);
    const PixelRect& p = plan.layout.plot;
    ASSERT_EQ(plan.xGrid.lines.size(), 7u);
    EXPECT_EQ(plan.xGrid.lines.front(), (ChartLine{p.left, true}));
    EXPECT_EQ(plan.xGrid.lines.back(), (ChartLine{p.right, true}));
    EXPECT_EQ(plan.xGrid.lines[3], (ChartLine{(p.left + p.right + 1) / 2, true}));
    EXPECT_FALSE(plan.xGrid.lines[1].solid);
    EXPECT_EQ(plan.xGrid.lines[1].pixel,
              p.left + static_cast<int>(std::lround(std::log10(2.0) / 2 * p.width())));
    ASSERT_EQ(plan.xGrid.labels.size(), 7u);
    EXPECT_EQ(plan.xGrid.labels[4].text, "20");
    EXPECT_EQ(plan.yGrid.labels.back().text, "1000");
    EXPECT_EQ(plan.yGrid.caption, "加速度 (G)");
    EXPECT_TRUE(plan.note.empty());

    // Each point where the two logarithms put it; Z breaks where it is 0.
    const auto x = srsCurvePixels(plan, chart, 0);
    ASSERT_EQ(x.size(), 1u);
    ASSERT_EQ(x[0].size(), chart.frequenciesHz.size());
    for (size_t k = 0; k < chart.frequenciesHz.size(); k += 7) {
        const double fx = std::log10(chart.frequenciesHz[k]) / 2;
        const double fy = std::log10(chart.values[0][k]) / 3;
        EXPECT_EQ(x[0][k].x, p.left + static_cast<int>(std::lround(fx * p.width())));
        EXPECT_EQ(x[0][k].y, p.bottom - static_cast<int>(std::lround(fy * p.height())));
    }
    const auto z = srsCurvePixels(plan, chart, 2);
    ASSERT_EQ(z.size(), 1u);
    EXPECT_EQ(z[0].front().x, plan.x.toPixel(chart.frequenciesHz[28]));

    // A small chart keeps fewer labels, the decades first, none overlapping.
    const ChartPlan small = planSrsChart(chart, 160, 120, text);
    EXPECT_LT(small.xGrid.labels.size(), plan.xGrid.labels.size());
    EXPECT_EQ(small.xGrid.labels.front().text, "1");
    EXPECT_FALSE(overlapping(small.xGrid.labels, text, true));
    EXPECT_FALSE(overlapping(small.yGrid.labels, text, false));
    EXPECT_FALSE(overlapping(plan.xGrid.labels, text, true));
}

TEST(SrsChartPlan, TakesTheRecordsSpectrumOrPseudoVelocityAndSaysWhenThereIsNone) {
    RecordAnalysis r;
    r.axisCount = 1;
    const std::vector<double> f = {2, 4, 8};
    r.srsG[0] = {10, 20, 40};
    r.pvssMps[0] = {0.5, 0.6, 0.7};
    const SrsChart g = srsChartOf(r, f, false);
    EXPECT_EQ(g.values[0], r.srsG[0]);
    const SrsChart v = srsChartOf(r, f, true);
    EXPECT_EQ(v.values[0], r.pvssMps[0]);
    const ChartPlan pv = planSrsChart(v, 500, 300, fixedText());
    EXPECT_EQ(pv.yGrid.caption, "擬似速度 (m/s)");
    EXPECT_DOUBLE_EQ(pv.y.lo(), 0.1);
    EXPECT_DOUBLE_EQ(pv.y.hi(), 1);
    EXPECT_EQ(pv.legend.size(), 1u);

    // A record analysed without its spectrum, a file without a sample period,
    // a record without a shock: the grid with a note, no curve.
    EXPECT_TRUE(srsChartOf(r, std::vector<double>{1, 2}, false).frequenciesHz.empty());
    const ChartPlan none = planSrsChart(SrsChart{}, 500, 300, fixedText());
    EXPECT_FALSE(none.note.empty());
    EXPECT_FALSE(none.xGrid.lines.empty());
    SrsChart zero = g;
    zero.values[0] = {0, 0, 0};
    const ChartPlan flat = planSrsChart(zero, 500, 300, fixedText());
    EXPECT_EQ(flat.note, "衝撃がありません");
    EXPECT_TRUE(srsCurvePixels(flat, zero, 0).empty());
}

HistogramChart sampleHistogram(bool log) {
    HistogramChart h;
    h.axisCount = 3;
    h.logCounts = log;
    for (int b = 0; b < kHistogramBins; ++b) h.lowerEdgesG[b] = 10.0 * b;
    h.counts[0] = {900, 120, 40, 7, 1, 0, 0, 0, 0, 0, 2};
    h.counts[1] = {500, 10, 1};
    h.counts[2] = {20};
    return h;
}

TEST(HistogramChartPlan, GroupedBarsPerBinOnALinearOrLogarithmicCount) {
    const TextMeasure text = fixedText();
    for (bool log : {false, true}) {
        SCOPED_TRACE(log ? "log" : "linear");
        const HistogramChart h = sampleHistogram(log);
        const ChartPlan plan = planHistogramChart(h, 700, 450, text);
        const PixelRect& p = plan.layout.plot;
        const std::vector<ChartBar> bars = histogramBars(plan, h);
        // Every non-zero count has its bar, and only those.
        ASSERT_EQ(bars.size(), 10u);
        for (const ChartBar& b : bars) {
            // Above the frame's bottom line, and one event still shows.
            EXPECT_EQ(b.rect.bottom, p.bottom - 1);
            const int top = plan.y.toPixel(h.counts[b.axis][b.bin]);
            EXPECT_EQ(b.rect.top, std::clamp(top, p.top + 1, p.bottom - 2));
            // Within its bin, the axes side by side in order, not touching.
            EXPECT_GE(b.rect.left, plan.x.toPixel(b.bin));
            EXPECT_LT(b.rect.right, plan.x.toPixel(b.bin + 1));
        }
        EXPECT_LT(bars[0].rect.right, bars[1].rect.left);
        EXPECT_EQ(bars[0].rect.top, log ? plan.y.toPixel(900) : p.top + 1);
        EXPECT_EQ(plan.xGrid.lines.size(), 12u);
        EXPECT_EQ(plan.xGrid.labels.front().text, "0");
        EXPECT_EQ(plan.xGrid.labels.back().text, "≥100");
        EXPECT_EQ(plan.yGrid.labels.front().text, log ? "1" : "0");
    }
    // 900 events: the linear axis ends on them, the log axis on the decade.
    EXPECT_DOUBLE_EQ(planHistogramChart(sampleHistogram(false), 700, 450, text).y.hi(), 900);
    EXPECT_DOUBLE_EQ(planHistogramChart(sampleHistogram(true), 700, 450, text).y.hi(), 1000);
    EXPECT_EQ(planHistogramChart(HistogramChart{}, 700, 450, text).note, "衝撃がありません");
}

}  // namespace
}  // namespace kv
