#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/datetime.h"
#include "graph/graph_labels.h"
#include "graph/graph_layout.h"
#include "graph/scale_mapping.h"
#include "graph/zoom_scale.h"

namespace kv {
namespace {

TEST(ScaleMapping, ToPixelTruncatesTowardZeroAndMirrorsNegativeFactors) {
    struct Case {
        PixelRect area;
        double x0, y0, xs, ys;  // origin and spans
        double x, y;
        PixelPoint want;
    };
    const Case cases[] = {
        // The usual G axis: yMin on the bottom edge, the top value on the top edge.
        {{10, 20, 110, 260}, 0, -120, 512, -240, 0, -120, {10, 260}},
        {{10, 20, 110, 260}, 0, -120, 512, -240, 512, 120, {110, 20}},
        {{10, 20, 110, 260}, 0, -120, 512, -240, 256, 0, {60, 140}},
        // Truncation toward zero on both sides of the origin.
        {{0, 0, 100, 100}, 0, 0, 3, 3, 1, 1, {33, 33}},
        {{0, 0, 100, 100}, 0, 0, 3, 3, -1, -1, {-33, -33}},
        {{0, 0, 100, 100}, 0, 0, 3, -3, 0, 1, {0, 67}},
        // A zero span or a zero-width area puts every point on the left or top edge.
        {{5, 7, 105, 107}, 3, 0, 0, 0, 9, 9, {5, 7}},
        {{5, 7, 5, 7}, 0, 0, 10, -10, 9, 9, {5, 7}},
        // An end before the start measures from the right edge.
        {{0, 0, 100, 100}, 10, 0, -10, -10, 10, 0, {100, 100}},
        {{0, 0, 100, 100}, 10, 0, -10, -10, 5, 0, {150, 100}},
        // Rows years away from a one-minute window stay ints.
        {{0, 0, 1000, 100}, 0, 0, 1.0 / 1440, -1, 3650, 0, {1 << 30, 100}},
        {{0, 0, 1000, 100}, 0, 0, 1.0 / 1440, -1, -3650, 0, {-(1 << 30), 100}},
    };
    for (const Case& c : cases) {
        ScaleMapping m;
        m.setArea(c.area);
        m.setRange(c.x0, c.y0, c.xs, c.ys);
        EXPECT_EQ(m.toPixel(c.x, c.y), c.want) << c.x << "," << c.y;
    }
}

std::vector<std::string> gLabels(double rangeG, int g) {
    GraphViewState v;
    setZoom(v, 0, g, true, 0, 0, rangeG);
    std::vector<std::string> out;
    double y = v.currentScale.yMin;
    for (int i = 0; i <= 12; ++i, y += v.currentScale.yStep)
        out.push_back(gLabelText(y, v.currentScale.yStep, i == 12));
    return out;
}

TEST(GraphLabels, GLabelsTakeTheirDecimalsFromTheGridStep) {
    using L = std::vector<std::string>;
    EXPECT_EQ(gLabels(100, 0), (L{"-120", "-100", "-80", "-60", "-40", "-20", "0", "20", "40", "60",
                                  "80", "100", "120(G)"}));
    EXPECT_EQ(gLabels(1, 0), (L{"-1.2", "-1.0", "-0.8", "-0.6", "-0.4", "-0.2", "0.0", "0.2", "0.4",
                                "0.6", "0.8", "1.0", "1.2(G)"}));
    EXPECT_EQ(gLabels(1, 2), (L{"-0.24", "-0.20", "-0.16", "-0.12", "-0.08", "-0.04", "0.00",
                                "0.04", "0.08", "0.12", "0.16", "0.20", "0.24(G)"}));
    // Steps whose product with 100 misses a whole number by rounding noise.
    EXPECT_EQ(gLabels(1, 1)[11], "0.5");
    EXPECT_EQ(gLabels(5, 3)[12], "0.6(G)");
    EXPECT_EQ(gLabels(50, 2)[12], "12(G)");
    EXPECT_EQ(fixedPrecisionText(12345.6, 4, 1), "1.235E+04");
}

TEST(GraphLabels, TimeLabelsInMillisecondsOrSecondsByTheSamplePeriod) {
    struct Case {
        std::string period;
        std::vector<std::string> want;
    };
    const Case cases[] = {
        {"2", {"0", "200", "400", "600", "800", "1000(ms)"}},
        {"20", {"0", "2.0", "4.0", "6.0", "8.0", "10.0(秒)"}},
        {"x", {"0", "0", "0", "0", "0", "0"}},  // not a number: period 0
    };
    for (const Case& c : cases) {
        const int period = samplePeriodMs(c.period);
        std::vector<std::string> got;
        for (int x = 0; x < 512; x += 100)
            got.push_back(timeLabelText(x * period, period, x + 100 > 512));
        EXPECT_EQ(got[0], c.want[0]);
        if (period != 0) {
            EXPECT_EQ(got, c.want) << c.period;
        }
    }
    EXPECT_EQ(samplePeriodMs("2"), 2);
    EXPECT_EQ(samplePeriodMs("2.5"), 0);
    EXPECT_EQ(samplePeriodMs(""), 0);
}

DateTime at(int y, int mo, int d, int h, int mi, int s) {
    return encodeDateTimeLenient(CalendarTime{y, mo, d, h, mi, s, 0});
}

TEST(ZoomScale, PresetWindowsStartOnTheirLengthsGrid) {
    const DateTime start = at(2014, 5, 10, 13, 47, 25), end = at(2014, 5, 12, 1, 0, 0);
    struct Case {
        int choice;
        DateTime from, to;
    };
    const Case cases[] = {
        {0, start, end},
        {1, at(2014, 5, 10, 13, 47, 0), at(2014, 5, 10, 13, 48, 0)},
        {2, at(2014, 5, 10, 13, 46, 0), at(2014, 5, 10, 13, 48, 0)},
        {3, at(2014, 5, 10, 13, 45, 0), at(2014, 5, 10, 13, 50, 0)},
        {5, at(2014, 5, 10, 13, 40, 0), at(2014, 5, 10, 14, 0, 0)},
        {6, at(2014, 5, 10, 13, 30, 0), at(2014, 5, 10, 14, 0, 0)},
        {7, at(2014, 5, 10, 13, 0, 0), at(2014, 5, 10, 14, 0, 0)},
        {8, at(2014, 5, 10, 12, 0, 0), at(2014, 5, 10, 14, 0, 0)},
        {9, at(2014, 5, 10, 12, 0, 0), at(2014, 5, 10, 18, 0, 0)},
        {10, at(2014, 5, 10, 12, 0, 0), at(2014, 5, 11, 0, 0, 0)},
        {11, at(2014, 5, 10, 0, 0, 0), at(2014, 5, 11, 0, 0, 0)},
        {15, at(2014, 5, 10, 0, 0, 0), at(2014, 6, 9, 0, 0, 0)},
        {18, at(2014, 5, 10, 0, 0, 0), at(2014, 11, 6, 0, 0, 0)},
    };
    for (const Case& c : cases) {
        auto w = timeWindow(c.choice, start, end);
        ASSERT_TRUE(w) << c.choice;
        EXPECT_EQ(formatDateTimeText(w->start), formatDateTimeText(c.from)) << c.choice;
        EXPECT_EQ(formatDateTimeText(w->end), formatDateTimeText(c.to)) << c.choice;
    }
    EXPECT_FALSE(timeWindow(19, start, end));
    EXPECT_FALSE(timeWindow(-1, start, end));
    EXPECT_STREQ(kTimeWindowItems[8], "２時間");
    EXPECT_STREQ(kTimeWindowItems[19], "ユーザー指定");
}

TEST(ZoomScale, GZoomSetsTwelveDivisionsAndCentresTheVerticalBar) {
    struct Case {
        int g;
        double yMax, yStep;
        ScrollBarState tate;
    };
    const Case cases[] = {
        {0, 120, 20, {0, 0, false}},
        {1, 60, 10, {6, 12, true}},
        {2, 24, 4, {24, 48, true}},
        {3, 12, 2, {54, 108, true}},
    };
    for (const Case& c : cases) {
        GraphViewState v;
        auto window = setZoom(v, 0, c.g, true, 0, 0, 100);
        EXPECT_FALSE(window);  // wave data: no time window
        EXPECT_DOUBLE_EQ(v.currentScale.yMax, c.yMax);
        EXPECT_DOUBLE_EQ(v.currentScale.yMin, -c.yMax);
        EXPECT_DOUBLE_EQ(v.currentScale.ySpan, -2 * c.yMax);
        EXPECT_NEAR(v.currentScale.yStep, c.yStep, 1e-12);
        EXPECT_EQ(v.tateBar, c.tate);
        EXPECT_EQ(v.gScaleChoice, c.g);
        EXPECT_DOUBLE_EQ(v.currentScale.xMax, 512);
        EXPECT_DOUBLE_EQ(v.currentScale.xStep, 100);
        EXPECT_FALSE(v.yokoBar.enabled);
    }
    // Sensor range 50 G at ×5: ±12 every 2.
    EXPECT_DOUBLE_EQ(dialogScale(false, {1, 2}, 5, 50).yMax, 12);
    EXPECT_NEAR(dialogScale(false, {1, 2}, 5, 50).yStep, 2, 1e-12);
}

TEST(ZoomScale, ScrollingMovesOneGridDivisionPerStep) {
    GraphViewState v;
    const DateTime start = at(2014, 5, 10, 13, 47, 25), end = at(2014, 5, 10, 16, 20, 0);
    auto window = setZoom(v, 7, 1, false, start, end, 100);  // one hour, ×2
    ASSERT_TRUE(window);
    EXPECT_EQ(formatDateTimeText(window->start), "2014/05/10 13:00:00");
    // 13:00 + 4 × 15 min reaches 14:00; the end is 3 h 20 min after 13:00:
    // (200 − 60) / 15 + 1 = 10 steps.
    EXPECT_EQ(v.yokoBar, (ScrollBarState{0, 10, true}));

    scrollTo(v, 2, 0, 100);
    EXPECT_EQ(formatDateTimeText(v.currentScale.xMin), "2014/05/10 13:30:00");
    EXPECT_EQ(formatDateTimeText(v.currentScale.xMax), "2014/05/10 14:30:00");
    EXPECT_DOUBLE_EQ(v.currentScale.yMax, 120);
    EXPECT_DOUBLE_EQ(v.currentScale.yMin, 0);
    scrollTo(v, 0, 12, 100);
    EXPECT_DOUBLE_EQ(v.currentScale.yMax, 0);
    EXPECT_DOUBLE_EQ(v.currentScale.yMin, -120);
    EXPECT_EQ(v.yokoBar.position, 0);
    EXPECT_EQ(v.tateBar.position, 12);
    // The zoom scale stays the base of every scroll.
    EXPECT_EQ(formatDateTimeText(v.zoomScale.xMin), "2014/05/10 13:00:00");

    // A window that already reaches the end, the whole measurement, a typed
    // window and a zero-length measurement.
    setZoom(v, 9, 0, false, start, end, 100);
    EXPECT_EQ(v.yokoBar, (ScrollBarState{0, 0, false}));
    setZoom(v, 0, 0, false, start, end, 100);
    EXPECT_EQ(v.yokoBar, (ScrollBarState{0, 0, false}));
    v.timeScaleChoice = kUserTimeWindow;
    updateScrollBars(v, false, end);
    EXPECT_EQ(v.yokoBar, (ScrollBarState{0, 0, true}));
    v.timeScaleChoice = 3;
    v.zoomScale.xStep = 0;
    updateScrollBars(v, false, end);
    EXPECT_FALSE(v.yokoBar.enabled);
}

TEST(GraphLayout, BoxesAndPlotAreasFollowTheWindowsBars) {
    const TextMetrics text{15, 7};
    const GraphWindowGeometry g = geometryForBoxArea(kDefaultBoxAreaWidth, kDefaultBoxAreaHeight);
    EXPECT_EQ(g.clientWidth, 693);
    EXPECT_EQ(g.clientHeight, 435);

    GraphLayout one = layoutGraphs(g, 2, text);
    EXPECT_EQ(one.visible, (std::array<bool, 3>{false, true, false}));
    EXPECT_EQ(one.box[1], (BoxRect{0, 34, 675, 365}));
    EXPECT_EQ(one.plotArea[1], (PixelRect{33, 15, 675 - 70, 365 - 30}));

    GraphLayout three = layoutGraphs(g, 4, text);
    EXPECT_EQ(three.visible, (std::array<bool, 3>{true, true, true}));
    EXPECT_EQ(three.box[0], (BoxRect{0, 34, 675, 116}));
    EXPECT_EQ(three.box[2], (BoxRect{0, 34 + 2 * 121, 675, 116}));
    EXPECT_EQ(three.plotArea[2], plotMargins(675, 116, text));

    EXPECT_EQ(printPlotArea(1000, 700, text), (PixelRect{100, 105, 900, 630}));
    // The title lines sit 2.4 and 1.2 lines above the graphs, as printed.
    EXPECT_EQ(titleLinesAbove(105, text), (TitleLines{69, 87}));
    EXPECT_EQ(pictureTitleHeight(text), 39);
    EXPECT_EQ(titleLinesAbove(pictureTitleHeight(text), text).captionTop, 3);
}

TEST(GraphLayout, ToolPanelsWrapIntoRowsAndGraphsKeepFourLinesOfPlot) {
    const int panels[] = {130, 190, 150, 120, 70};
    struct Case {
        int width;
        std::vector<ToolPlace> places;
        int rows;
    };
    const Case cases[] = {
        {660, {{0, 0}, {0, 130}, {0, 320}, {0, 470}, {0, 590}}, 1},
        {659, {{0, 0}, {0, 130}, {0, 320}, {0, 470}, {1, 0}}, 2},
        {450, {{0, 0}, {0, 130}, {1, 0}, {1, 150}, {1, 270}}, 2},
        // Narrower than a panel: each has a row of its own.
        {100, {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}}, 5},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(wrapToolPanels(panels, c.width), c.places) << c.width;
        EXPECT_EQ(toolRowCount(panels, c.width), c.rows) << c.width;
    }
    EXPECT_EQ(toolRowCount({}, 450), 1);

    // A box of 7 lines leaves 4 for the plot between its label margins; the
    // separate view needs three of them.
    const TextMetrics text{15, 7};
    EXPECT_EQ(readableGraphAreaHeight(kViewX, text), 105);
    const PixelRect plot = plotMargins(600, readableGraphAreaHeight(kViewX, text), text);
    EXPECT_EQ(plot.height(), 4 * 15);
    EXPECT_EQ(readableGraphAreaHeight(kViewSeparate, text), 3 * (105 + 5));
}

}  // namespace
}  // namespace kv
