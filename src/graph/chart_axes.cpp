#include "graph/chart_axes.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "base/kv_assert.h"

namespace kv {
namespace {

constexpr double kFarOff = 1 << 30;

// Relative slack for grid values computed as m · 10^d, which are off by a
// rounding error.
constexpr double kSlack = 1e-6;

double powerOfTen(int d) {
    return std::pow(10.0, d);
}

}  // namespace

ChartAxis::ChartAxis(double lo, double hi, bool logarithmic) : lo_(lo), hi_(hi), log_(logarithmic) {
    KV_ASSERT(lo < hi);
    KV_ASSERT(!logarithmic || lo > 0);
    tLo_ = log_ ? std::log10(lo) : lo;
    tSpan_ = (log_ ? std::log10(hi) : hi) - tLo_;
}

bool ChartAxis::shows(double v) const {
    return std::isfinite(v) && (!log_ || v > 0);
}

int ChartAxis::toPixel(double v) const {
    if (!shows(v)) return p0_;
    const double t = ((log_ ? std::log10(v) : v) - tLo_) / tSpan_;
    const double offset = std::clamp(std::round(t * (p1_ - p0_)), -kFarOff, kFarOff);
    return p0_ + static_cast<int>(offset);
}

std::vector<AxisTick> logTicks(double lo, double hi) {
    std::vector<AxisTick> ticks;
    if (!(lo > 0) || !(hi >= lo) || !std::isfinite(hi)) return ticks;
    static constexpr int kSteps[] = {1, 2, 5};
    for (int d = static_cast<int>(std::floor(std::log10(lo))) - 1;
         d <= static_cast<int>(std::ceil(std::log10(hi))); ++d) {
        for (int m : kSteps) {
            const double v = m * powerOfTen(d);
            if (v >= lo * (1 - kSlack) && v <= hi * (1 + kSlack)) ticks.push_back({v, m == 1});
        }
    }
    return ticks;
}

ValueRange decadeRange(double minPositive, double maxValue, int maxDecades) {
    if (!(maxValue > 0) || !std::isfinite(maxValue)) return {};
    if (!(minPositive > 0) || minPositive > maxValue) minPositive = maxValue;
    // A value a rounding error above a power of ten stays in the decade below.
    int top = static_cast<int>(std::ceil(std::log10(maxValue) - kSlack));
    int bottom = static_cast<int>(std::floor(std::log10(minPositive) + kSlack));
    if (bottom >= top) bottom = top - 1;
    bottom = std::max(bottom, top - std::max(1, maxDecades));
    return {powerOfTen(bottom), powerOfTen(top)};
}

LinearRange niceLinearRange(double maxValue, int maxDivisions, double minStep) {
    maxDivisions = std::max(1, maxDivisions);
    if (!(maxValue > 0) || !std::isfinite(maxValue)) {
        const double step = std::max(minStep, 1.0);
        return {step, step};
    }
    const double rough = maxValue / maxDivisions;
    int d = static_cast<int>(std::floor(std::log10(rough)));
    double step = 0;
    for (;; ++d) {
        for (int m : {1, 2, 5}) {
            const double s = m * powerOfTen(d);
            if (s >= rough * (1 - kSlack) && s >= minStep) {
                step = s;
                break;
            }
        }
        if (step > 0) break;
    }
    const double top = std::ceil(maxValue / step - kSlack) * step;
    return {std::max(top, step), step};
}

std::string tickText(double value) {
    if (std::fabs(value) < 1e-12) return "0";
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

std::vector<bool> thinLabels(std::span<const LabelSlot> slots, int gap, int low, int high) {
    std::vector<bool> kept(slots.size(), false);
    std::vector<std::pair<int, int>> taken;  // the kept labels' first and last pixels
    int maxPriority = 0;
    for (const LabelSlot& s : slots) maxPriority = std::max(maxPriority, s.priority);
    for (int p = 0; p <= maxPriority; ++p) {
        for (size_t i = 0; i < slots.size(); ++i) {
            const LabelSlot& s = slots[i];
            if (s.priority != p) continue;
            const int first = s.centre - s.size / 2;
            const int last = first + s.size - 1;
            if (first < low || last > high) continue;
            const bool clear = std::all_of(taken.begin(), taken.end(), [&](const auto& t) {
                return last + gap < t.first || first > t.second + gap;
            });
            if (!clear) continue;
            kept[i] = true;
            taken.emplace_back(first, last);
        }
    }
    return kept;
}

namespace {

bool apart(const LabelSlot& a, const LabelSlot& b, int gap) {
    const int aFirst = a.centre - a.size / 2, aLast = aFirst + a.size - 1;
    const int bFirst = b.centre - b.size / 2, bLast = bFirst + b.size - 1;
    return aLast + gap < bFirst || aFirst > bLast + gap;
}

}  // namespace

std::vector<bool> everyKthLabel(std::span<const LabelSlot> slots, int anchor, int gap) {
    const int n = static_cast<int>(slots.size());
    if (n == 0) return {};
    anchor = std::clamp(anchor, 0, n - 1);
    int k = 1;
    for (; k < n; ++k) {
        bool clear = true;
        for (int i = anchor % k; i + k < n && clear; i += k)
            clear = apart(slots[i], slots[i + k], gap);
        if (clear) break;
    }
    std::vector<LabelSlot> chosen;
    std::vector<int> index;
    for (int i = 0; i < n; ++i) {
        if (slots[i].priority != 0 && (i - anchor) % k != 0) continue;
        chosen.push_back(slots[i]);
        chosen.back().priority = slots[i].priority == 0 ? 0 : 1;
        index.push_back(i);
    }
    const int far = std::numeric_limits<int>::max() / 4;
    const std::vector<bool> fits = thinLabels(chosen, gap, -far, far);
    std::vector<bool> kept(slots.size(), false);
    for (size_t j = 0; j < index.size(); ++j) kept[index[j]] = fits[j];
    return kept;
}

ChartLayout chartLayout(int width, int height, const TextMeasure& text, int titleLines,
                        int yCaptionWidth, int yLabelWidth, int legendWidth) {
    const int th = text.height, tw = text.digitWidth;
    ChartLayout l;
    int row = titleLines * th;
    l.captionTop = row;
    l.legendTop = row;
    // The caption from one digit in, the legend ending at the plot's right edge
    // three digits in, two digits of space between them.
    const int right = width - 1 - 3 * tw;
    if (tw + yCaptionWidth + 2 * tw > right - legendWidth) l.legendTop = (row += th);
    row += th;
    // The top label is centred on the top edge: half a line of room above it.
    l.plot.top = row + th / 2 + 1;
    l.plot.left = tw + yLabelWidth + tw;
    l.plot.right = std::max(l.plot.left + 1, right);
    // Below: half a line for the bottom label, the labels' line, the caption's.
    l.plot.bottom = std::max(l.plot.top + 1, height - 1 - (th / 2 + 1 + 2 * th));
    l.xLabelTop = l.plot.bottom + th / 2 + 1;
    l.xCaptionTop = l.xLabelTop + th;
    return l;
}

}  // namespace kv
