#include "analysis/trip_statistics.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "analysis/analysis_options.h"
#include "analysis/file_values.h"
#include "analysis/pulse_analysis.h"
#include "base/kv_assert.h"

namespace kv {
namespace {

constexpr int kRangeBins = kHistogramBins - 1;  // below the range

// Bin edges i · R / 10, each the double nearest to its decimal (i · R is
// exact), so that a peak on an edge lands in the bin the edge opens.
std::array<double, kHistogramBins> histogramEdges(double rangeG) {
    std::array<double, kHistogramBins> edges{};
    for (int i = 0; i < kHistogramBins; ++i) edges[i] = i * rangeG / kRangeBins;
    return edges;
}

int histogramBin(const std::array<double, kHistogramBins>& edges, double rangeG, double m) {
    if (!(rangeG > 0) || m >= edges[kRangeBins]) return kRangeBins;
    // The quotient points at the bin; the edges settle rounding at its borders.
    int i = std::clamp(static_cast<int>(m * kRangeBins / rangeG), 0, kRangeBins - 1);
    while (i > 0 && m < edges[i]) --i;
    while (i < kRangeBins - 1 && m >= edges[i + 1]) ++i;
    return i;
}

void takeExtreme(PeakExtreme& extreme, double g, bool better, int record, DateTime time) {
    if (!better) return;
    extreme.g = g;
    extreme.record = record;
    extreme.time = time;
}

}  // namespace

double halfSineVelocityChangeMps(double peakG, double widthMs) {
    return 2 * std::fabs(peakG) * kStandardGravityMps2 * (widthMs / 1000) / std::numbers::pi;
}

PeakAxisEvent peakAxisEvent(const PeakRow& row, int axis) {
    KV_ASSERT(0 <= axis && axis < 3);
    PeakAxisEvent e;
    e.positiveG = fileDecimal(row.peak[2 * axis]);
    e.negativeG = fileDecimal(row.peak[2 * axis + 1]);
    if (!e.any()) return e;
    const bool negativeLarger = std::fabs(e.negativeG) > std::fabs(e.positiveG);
    e.peakG = negativeLarger ? e.negativeG : e.positiveG;
    e.widthMs = std::max(row.width[2 * axis + (negativeLarger ? 1 : 0)], 0);
    e.velocityChangeMps = halfSineVelocityChangeMps(e.peakG, e.widthMs);
    return e;
}

Percentiles percentilesOf(std::span<double> values) {
    Percentiles out;
    const size_t n = values.size();
    if (n == 0) return out;
    // Order statistics at rising positions: each selection leaves everything
    // above its position above it, so the next one searches only that part.
    size_t unordered = 0;
    auto at = [&](size_t index) {
        std::nth_element(values.begin() + unordered, values.begin() + index, values.end());
        unordered = index;
        return values[index];
    };
    auto percentile = [&](double p) {
        const double position = p / 100 * static_cast<double>(n - 1);
        const size_t below = std::min(static_cast<size_t>(position), n - 1);
        const double fraction = position - static_cast<double>(below);
        const double low = at(below);
        if (fraction <= 0 || below + 1 >= n) return low;
        return low + fraction * (at(below + 1) - low);
    };
    out.p50 = percentile(50);
    out.p90 = percentile(90);
    out.p99 = percentile(99);
    out.max = at(n - 1);
    return out;
}

TripStatistics analysePeakRows(std::span<const PeakRow> rows, int axisCount, double rangeG,
                               double restitution) {
    KV_ASSERT(axisCount == 1 || axisCount == 3);
    TripStatistics t;
    t.axisCount = axisCount;
    const auto edges = histogramEdges(rangeG);
    for (PeakAxisStatistics& axis : t.axes) axis.lowerEdgesG = edges;
    t.events.reserve(rows.size());
    std::vector<double> heights;
    heights.reserve(rows.size());

    for (size_t r = 0; r < rows.size(); ++r) {
        const PeakRow& row = rows[r];
        const int record = static_cast<int>(r);
        std::array<double, 3> axisVelocityMps{};
        for (int a = 0; a < axisCount; ++a) {
            PeakAxisStatistics& s = t.axes[a];
            const PeakAxisEvent event = peakAxisEvent(row, a);
            const double positive = event.positiveG, negative = event.negativeG;
            takeExtreme(s.maxPositive, positive,
                        positive > 0 && (!s.maxPositive.found() || positive > s.maxPositive.g),
                        record, row.time[a]);
            takeExtreme(s.maxNegative, negative,
                        negative < 0 && (!s.maxNegative.found() || negative < s.maxNegative.g),
                        record, row.time[a]);
            if (!event.any()) continue;
            ++s.events;
            ++s.counts[histogramBin(edges, rangeG, std::fabs(event.peakG))];
            axisVelocityMps[a] = event.velocityChangeMps;
        }
        EventEstimate e;
        e.record = record;
        e.time = row.time[0];
        e.velocityChangeMps =
            combinedVelocityChangeMps(std::span<const double>(axisVelocityMps.data(), axisCount));
        e.dropHeightM = dropHeightM(e.velocityChangeMps, restitution);
        heights.push_back(e.dropHeightM);
        t.events.push_back(e);
    }

    t.dropHeightM = percentilesOf(heights);
    return t;
}

}  // namespace kv
