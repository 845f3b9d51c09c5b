#include "graph/zoom_scale.h"

#include <climits>
#include <cmath>

#include "base/kv_assert.h"

namespace kv {

const char* const kTimeWindowItems[kTimeWindowChoices] = {
    "全体表示", "１分",   "２分",   "５分",     "１０分", "２０分",       "３０分",
    "１時間",   "２時間", "６時間", "１２時間", "１日",   "２日",         "５日",
    "１０日",   "１ヶ月", "２ヶ月", "３ヶ月",   "６ヶ月", "ユーザー指定",
};

const char* const kGScaleItemTexts[kGScaleItems] = {"等倍", "２倍", "５倍", "１０倍"};

namespace {

// Where a preset window starts: the start time with its seconds cleared and
// the field named cut down to a multiple of `grid`.
enum class Cut { Minute, Hour, Day };
struct WindowRow {
    Cut cut;
    int grid;
    double lengthSeconds;
};
constexpr double kMinute = 60, kHour = 3600, kDay = 86400;
constexpr WindowRow kWindowRows[kTimeSelectorItems] = {
    {Cut::Minute, 1, 0},  // 0: the whole measurement, not cut
    {Cut::Minute, 1, kMinute},
    {Cut::Minute, 2, 2 * kMinute},
    {Cut::Minute, 5, 5 * kMinute},
    {Cut::Minute, 10, 10 * kMinute},
    {Cut::Minute, 20, 20 * kMinute},
    {Cut::Minute, 30, 30 * kMinute},
    {Cut::Hour, 1, kHour},
    {Cut::Hour, 2, 2 * kHour},
    {Cut::Hour, 6, 6 * kHour},
    {Cut::Hour, 12, 12 * kHour},
    {Cut::Day, 1, kDay},
    {Cut::Day, 1, 2 * kDay},
    {Cut::Day, 1, 5 * kDay},
    {Cut::Day, 1, 10 * kDay},
    {Cut::Day, 1, 30 * kDay},
    {Cut::Day, 1, 60 * kDay},
    {Cut::Day, 1, 90 * kDay},
    {Cut::Day, 1, 180 * kDay},
};

void setVerticalZoom(GraphScale& s, double rangeG, double f) {
    s.yMax = 1.2 * rangeG / f;
    s.yMin = -1.2 * rangeG / f;
    s.ySpan = s.yMin - s.yMax;
    s.yStep = s.ySpan * (-1.0 / 12);
}

void setHorizontal(GraphScale& s, bool waveData, const TimeWindow& w) {
    if (waveData) {
        s.xSpan = 512;
        s.xMax = 512;
        s.xMin = 0;
        s.xStep = 100;
    } else {
        s.xSpan = w.end - w.start;
        s.xMax = w.end;
        s.xMin = w.start;
        s.xStep = (w.end - w.start) * 0.25;
    }
}

}  // namespace

double gMagnification(int gIndex) {
    KV_ASSERT(0 <= gIndex && gIndex < kGScaleItems);
    static const double kFactors[kGScaleItems] = {1.0, 2.0, 5.0, 10.0};
    return kFactors[gIndex];
}

std::optional<TimeWindow> timeWindow(int choice, DateTime start, DateTime end) {
    if (choice == 0) return TimeWindow{start, end};
    if (choice < 1 || choice >= kTimeSelectorItems) return std::nullopt;
    const WindowRow& row = kWindowRows[choice];
    CalendarTime c = decodeDateTime(start);
    c.second = 0;
    c.millisecond = 0;
    switch (row.cut) {
        case Cut::Minute:
            c.minute -= c.minute % row.grid;
            break;
        case Cut::Hour:
            c.minute = 0;
            c.hour -= c.hour % row.grid;
            break;
        case Cut::Day:
            c.minute = 0;
            c.hour = 0;
            break;
    }
    const DateTime from = encodeDateTimeLenient(c);
    return TimeWindow{from, from + row.lengthSeconds / kSecondsPerDay};
}

GraphScale dialogScale(bool waveData, const TimeWindow& window, double magnification,
                       double rangeG) {
    GraphScale s;
    setHorizontal(s, waveData, window);
    setVerticalZoom(s, rangeG, magnification);
    return s;
}

std::optional<TimeWindow> setZoom(GraphViewState& view, int t, int g, bool waveData, DateTime start,
                                  DateTime end, double rangeG) {
    KV_ASSERT((0 <= t && t < kTimeSelectorItems) || t == kUserTimeWindow);
    KV_ASSERT(0 <= g && g < kGScaleItems);
    // A typed window is no item of the quick selector: it shows none.
    view.timeIndex = t == kUserTimeWindow ? -1 : t;
    view.timeScaleChoice = t;
    view.gIndex = view.gScaleChoice = g;
    std::optional<TimeWindow> window;
    if (!waveData)
        window = t == kUserTimeWindow ? TimeWindow{view.zoomScale.xMin, view.zoomScale.xMax}
                                      : timeWindow(t, start, end);
    view.zoomScale =
        dialogScale(waveData, window.value_or(TimeWindow{}), gMagnification(g), rangeG);
    view.currentScale = view.zoomScale;
    updateScrollBars(view, waveData, end);
    return window;
}

void updateScrollBars(GraphViewState& view, bool waveData, DateTime endTime) {
    ScrollBarState& h = view.yokoBar;
    h = ScrollBarState{};
    const int t = view.timeScaleChoice;
    if (t == kUserTimeWindow) {
        h.enabled = true;
    } else if (t != 0 && !waveData) {
        // A wave axis is fixed at 0 … 512 and a window of no length has no
        // divisions to step through: both keep the bar disabled.
        const double c = view.zoomScale.xStep;
        const double d = endTime - view.zoomScale.xMin;
        if (c > 0 && !(4 * c > d)) {
            const double steps = std::trunc((d - 4 * c) / c + 1);
            h.maximum = steps < INT_MAX ? static_cast<int>(steps) : INT_MAX;
            h.enabled = true;
        }
    }

    ScrollBarState& v = view.tateBar;
    v = ScrollBarState{};
    if (view.gScaleChoice >= 1 && view.gScaleChoice < kGScaleItems) {
        v.maximum = static_cast<int>(12 * (gMagnification(view.gScaleChoice) - 1));
        v.position = v.maximum / 2;
        v.enabled = true;
    }
}

void scrollTo(GraphViewState& view, int h, int v, double rangeG) {
    const GraphScale& z = view.zoomScale;
    GraphScale& s = view.currentScale;
    s.xSpan = z.xSpan;
    s.xMin = h * z.xStep + z.xMin;
    s.xMax = s.xMin + z.xSpan;
    s.xStep = z.xStep;
    s.yMax = 1.2 * rangeG - v * z.yStep;
    s.yMin = s.yMax + z.ySpan;
    s.ySpan = z.ySpan;
    s.yStep = z.yStep;
    view.yokoBar.position = h;
    view.tateBar.position = v;
}

}  // namespace kv
