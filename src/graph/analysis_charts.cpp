#include "graph/analysis_charts.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "base/datetime.h"
#include "base/kv_assert.h"

namespace kv {
namespace {

// A spectrum spans a few decades; a stray tiny value (an axis that saw almost
// nothing) must not squeeze the others into the top of the chart.
constexpr int kMaxValueDecades = 5;
constexpr int kMaxFrequencyDecades = 12;

// Label priorities: the decades first, then the 5s, then the 2s.
int logPriority(double v) {
    const double m = v / std::pow(10.0, std::floor(std::log10(v) + 1e-9));
    return m < 1.5 ? 0 : m > 3.5 ? 1 : 2;
}

int widthOf(const TextMeasure& text, const std::string& s) {
    return text.width ? text.width(s) : static_cast<int>(s.size()) * text.digitWidth;
}

// The legend's entries ending at `right`: a line of three digits, half a
// digit of space, the name, two digits to the next entry.
std::vector<LegendEntry> legendEntries(int axisCount, const TextMeasure& text, int right) {
    const int tw = text.digitWidth;
    int width = 0;
    for (int a = 0; a < axisCount; ++a)
        width += 3 * tw + tw / 2 + widthOf(text, axisName(a)) + (a + 1 < axisCount ? 2 * tw : 0);
    std::vector<LegendEntry> entries;
    int x = right - width + 1;
    for (int a = 0; a < axisCount; ++a) {
        LegendEntry e;
        e.axis = a;
        e.lineLeft = x;
        e.lineRight = x + 3 * tw - 1;
        e.textLeft = e.lineRight + 1 + tw / 2;
        entries.push_back(e);
        x = e.textLeft + widthOf(text, axisName(a)) + 2 * tw;
    }
    return entries;
}

int legendWidth(int axisCount, const TextMeasure& text) {
    const std::vector<LegendEntry> e = legendEntries(axisCount, text, 0);
    return e.empty() ? 0 : 1 - e.front().lineLeft;
}

// Lines and the labels that fit on the vertical axis of a laid-out plan.
void planVerticalAxis(ChartPlan& plan, const std::vector<AxisTick>& ticks,
                      const std::vector<int>& priorities, const TextMeasure& text) {
    const int th = text.height;
    std::vector<LabelSlot> slots;
    for (size_t i = 0; i < ticks.size(); ++i) {
        const int px = plan.y.toPixel(ticks[i].value);
        plan.yGrid.lines.push_back({px, ticks[i].major});
        slots.push_back({px, th, priorities[i]});
    }
    // Between the caption row and the horizontal labels.
    const int low = plan.layout.plot.top - th / 2 - 1;
    const std::vector<bool> kept = thinLabels(slots, 0, low, plan.layout.xLabelTop - 1);
    for (size_t i = 0; i < ticks.size(); ++i)
        if (kept[i]) plan.yGrid.labels.push_back({slots[i].centre, tickText(ticks[i].value)});
}

// The labels that fit under the plot area.
void keepHorizontalLabels(ChartPlan& plan, std::vector<ChartLabel> labels,
                          const std::vector<int>& priorities, const TextMeasure& text) {
    std::vector<LabelSlot> slots;
    for (size_t i = 0; i < labels.size(); ++i)
        slots.push_back({labels[i].centre, widthOf(text, labels[i].text), priorities[i]});
    const std::vector<bool> kept = thinLabels(slots, text.digitWidth, 0, plan.width - 1);
    for (size_t i = 0; i < labels.size(); ++i)
        if (kept[i]) plan.xGrid.labels.push_back(std::move(labels[i]));
}

// The frame of a plan whose vertical ticks are known: the layout, the axes'
// pixels and the legend.
void layOut(ChartPlan& plan, const std::vector<AxisTick>& yTicks, int axisCount,
            const TextMeasure& text) {
    int yLabelWidth = 0;
    for (const AxisTick& t : yTicks)
        yLabelWidth = std::max(yLabelWidth, widthOf(text, tickText(t.value)));
    plan.layout =
        chartLayout(plan.width, plan.height, text, static_cast<int>(plan.titles.size()),
                    widthOf(text, plan.yGrid.caption), yLabelWidth, legendWidth(axisCount, text));
    const PixelRect& p = plan.layout.plot;
    plan.x.setPixels(p.left, p.right);
    plan.y.setPixels(p.bottom, p.top);
    plan.legend = legendEntries(axisCount, text, p.right);
}

}  // namespace

const char* axisName(int axis) {
    static const char* const kNames[] = {"X", "Y", "Z"};
    KV_ASSERT(0 <= axis && axis < 3);
    return kNames[axis];
}

std::string srsChartHeader(const RecordAnalysis& record, double q, bool pseudoVelocity) {
    return "No." + std::to_string(record.record + 1) + "--" + formatDateTimeText(record.time) +
           "  衝撃応答スペクトル (" + (pseudoVelocity ? "擬似速度" : "加速度") +
           ", Q=" + tickText(q) + ")";
}

std::string histogramChartHeader(const TripStatistics& trip, int rows, double rangeG) {
    std::string events;
    for (int a = 0; a < trip.axisCount; ++a)
        events += std::string("  ") + axisName(a) + ":" + std::to_string(trip.axes[a].events);
    return "ピーク値の分布  データ数：" + std::to_string(rows) + "  レンジ：" + tickText(rangeG) +
           "G  イベント数" + events;
}

SrsChart srsChartOf(const RecordAnalysis& record, std::span<const double> frequenciesHz,
                    bool pseudoVelocity) {
    SrsChart c;
    c.axisCount = record.axisCount;
    c.pseudoVelocity = pseudoVelocity;
    if (record.srsG[0].size() != frequenciesHz.size()) return c;
    c.frequenciesHz.assign(frequenciesHz.begin(), frequenciesHz.end());
    for (int a = 0; a < record.axisCount; ++a)
        c.values[a] = pseudoVelocity ? record.pvssMps[a] : record.srsG[a];
    return c;
}

HistogramChart histogramChartOf(const TripStatistics& trip, bool logCounts) {
    HistogramChart c;
    c.axisCount = trip.axisCount;
    c.logCounts = logCounts;
    c.lowerEdgesG = trip.axes[0].lowerEdgesG;
    for (int a = 0; a < trip.axisCount; ++a) c.counts[a] = trip.axes[a].counts;
    return c;
}

ChartPlan planSrsChart(const SrsChart& chart, int width, int height, const TextMeasure& text,
                       std::vector<std::string> titles) {
    ChartPlan plan;
    plan.width = width;
    plan.height = height;
    plan.titles = std::move(titles);
    plan.xGrid.caption = "周波数 (Hz)";
    plan.yGrid.caption = chart.pseudoVelocity ? "擬似速度 (m/s)" : "加速度 (G)";

    const std::vector<double>& f = chart.frequenciesHz;
    const ValueRange xr =
        f.empty() ? ValueRange{1, 100} : decadeRange(f.front(), f.back(), kMaxFrequencyDecades);
    double minPositive = std::numeric_limits<double>::infinity(), maxValue = 0;
    for (int a = 0; a < chart.axisCount; ++a)
        for (double v : chart.values[a])
            if (v > 0 && std::isfinite(v)) {
                minPositive = std::min(minPositive, v);
                maxValue = std::max(maxValue, v);
            }
    const ValueRange yr = decadeRange(minPositive, maxValue, kMaxValueDecades);
    if (f.empty())
        plan.note = "サンプリング周期がないため応答スペクトルはありません";
    else if (maxValue == 0)
        plan.note = "衝撃がありません";

    plan.x = ChartAxis(xr.lo, xr.hi, true);
    plan.y = ChartAxis(yr.lo, yr.hi, true);
    const std::vector<AxisTick> xTicks = logTicks(xr.lo, xr.hi);
    const std::vector<AxisTick> yTicks = logTicks(yr.lo, yr.hi);
    layOut(plan, yTicks, chart.axisCount, text);

    std::vector<int> priorities;
    for (const AxisTick& t : yTicks) priorities.push_back(logPriority(t.value));
    planVerticalAxis(plan, yTicks, priorities, text);

    std::vector<ChartLabel> labels;
    priorities.clear();
    for (const AxisTick& t : xTicks) {
        const int px = plan.x.toPixel(t.value);
        plan.xGrid.lines.push_back({px, t.major});
        labels.push_back({px, tickText(t.value)});
        priorities.push_back(logPriority(t.value));
    }
    keepHorizontalLabels(plan, std::move(labels), priorities, text);
    return plan;
}

std::vector<std::vector<PixelPoint>> srsCurvePixels(const ChartPlan& plan, const SrsChart& chart,
                                                    int axis) {
    KV_ASSERT(0 <= axis && axis < 3);
    std::vector<std::vector<PixelPoint>> runs;
    const std::vector<double>& values = chart.values[axis];
    const size_t n = std::min(values.size(), chart.frequenciesHz.size());
    bool open = false;
    for (size_t k = 0; k < n; ++k) {
        const double f = chart.frequenciesHz[k], v = values[k];
        if (!plan.x.shows(f) || !plan.y.shows(v)) {
            open = false;
            continue;
        }
        if (!open) runs.emplace_back();
        open = true;
        runs.back().push_back({plan.x.toPixel(f), plan.y.toPixel(v)});
    }
    return runs;
}

ChartPlan planHistogramChart(const HistogramChart& chart, int width, int height,
                             const TextMeasure& text, std::vector<std::string> titles) {
    ChartPlan plan;
    plan.width = width;
    plan.height = height;
    plan.titles = std::move(titles);
    plan.xGrid.caption = "ピーク値 (G)";
    plan.yGrid.caption = chart.logCounts ? "件数 (対数)" : "件数";

    int maxCount = 0;
    for (int a = 0; a < chart.axisCount; ++a)
        for (int c : chart.counts[a]) maxCount = std::max(maxCount, c);
    if (maxCount == 0) plan.note = "衝撃がありません";

    std::vector<AxisTick> yTicks;
    std::vector<int> priorities;
    if (chart.logCounts) {
        // From half an event, so that a bin of one event shows a bar; the grid
        // from one event up.
        const double top = std::pow(10.0, std::floor(std::log10(std::max(maxCount, 1))) + 1);
        plan.y = ChartAxis(0.5, top, true);
        yTicks = logTicks(1, top);
        for (const AxisTick& t : yTicks) priorities.push_back(logPriority(t.value));
    } else {
        // Whole events, roughly a division per two text lines of height.
        const int divisions = std::clamp(height / (3 * std::max(1, text.height)), 1, 10);
        const LinearRange r = niceLinearRange(maxCount, divisions, 1);
        plan.y = ChartAxis(0, r.top, false);
        const int steps = static_cast<int>(std::lround(r.top / r.step));
        for (int i = 0; i <= steps; ++i) {
            yTicks.push_back({i * r.step, i == 0});
            priorities.push_back(i == 0 || i == steps ? 0 : i % 2 == 0 ? 1 : 2);
        }
    }
    plan.x = ChartAxis(0, kHistogramBins, false);
    layOut(plan, yTicks, chart.axisCount, text);
    planVerticalAxis(plan, yTicks, priorities, text);

    // The bins' edges: solid at both ends and before the bin of the range and
    // beyond, dotted between.
    std::vector<ChartLabel> labels;
    priorities.clear();
    for (int b = 0; b <= kHistogramBins; ++b) {
        const bool solid = b == 0 || b >= kHistogramBins - 1;
        plan.xGrid.lines.push_back({plan.x.toPixel(b), solid});
    }
    for (int b = 0; b + 1 < kHistogramBins; ++b) {
        labels.push_back({plan.x.toPixel(b), tickText(chart.lowerEdgesG[b])});
        priorities.push_back(b == 0 ? 0 : b % 2 == 0 ? 1 : 2);
    }
    const double rangeG = chart.lowerEdgesG[kHistogramBins - 1];
    labels.push_back({plan.x.toPixel(kHistogramBins - 0.5), "≥" + tickText(rangeG)});
    priorities.push_back(0);
    keepHorizontalLabels(plan, std::move(labels), priorities, text);
    return plan;
}

std::vector<ChartBar> histogramBars(const ChartPlan& plan, const HistogramChart& chart) {
    std::vector<ChartBar> bars;
    const PixelRect& p = plan.layout.plot;
    for (int b = 0; b < kHistogramBins; ++b) {
        for (int a = 0; a < chart.axisCount; ++a) {
            const int count = chart.counts[a][b];
            if (count <= 0) continue;
            // The group fills the middle 80 % of its bin, the axes side by side.
            const double from = b + 0.1 + 0.8 * a / chart.axisCount;
            const double to = b + 0.1 + 0.8 * (a + 1) / chart.axisCount;
            ChartBar bar;
            bar.axis = a;
            bar.bin = b;
            bar.rect.left = plan.x.toPixel(from);
            bar.rect.right = std::max(bar.rect.left, plan.x.toPixel(to) - 1);
            // Inside the frame, whose lines lie on the plot area's edges; a
            // single event among thousands still gets two rows.
            bar.rect.bottom = p.bottom - 1;
            bar.rect.top = std::clamp(plan.y.toPixel(count), p.top + 1, p.bottom - 2);
            bars.push_back(bar);
        }
    }
    return bars;
}

}  // namespace kv
