#pragma once

#include <array>
#include <span>
#include <vector>

#include "base/datetime.h"
#include "recorder/records.h"

namespace kv {

// The histogram of a trip's events by magnitude has ten bins of a tenth of the
// sensor range each and one more for everything at or beyond the range.
constexpr int kHistogramBins = 11;

// The largest peak of one sign on one axis, and where it happened.
struct PeakExtreme {
    double g = 0;       // 0 when the axis has no peak of that sign
    int record = -1;    // row index; -1 when there is none
    DateTime time = 0;  // that row's time stamp of the axis
    bool found() const { return record >= 0; }
};

struct PeakAxisStatistics {
    int events = 0;  // rows with a non-zero peak on this axis
    PeakExtreme maxPositive;
    PeakExtreme maxNegative;  // the most negative peak
    // Events by their larger magnitude max(peak+, |peak-|): bin i holds
    // lowerEdgesG[i] <= m < lowerEdgesG[i + 1], the last bin m >= the range.
    std::array<double, kHistogramBins> lowerEdgesG{};
    std::array<int, kHistogramBins> counts{};
};

// One row taken as a half-sine shock per axis: an estimate, since a peak
// recorder keeps only each pulse's peak and width.
struct EventEstimate {
    int record = 0;  // row index
    DateTime time = 0;
    double velocityChangeMps = 0;  // of all axes together
    double dropHeightM = 0;
};

// Percentiles by linear interpolation between the sorted values (the order
// statistic at p/100 · (n - 1), as numpy's default): p50, p90, p99, and the
// largest value. All 0 without values.
struct Percentiles {
    double p50 = 0, p90 = 0, p99 = 0, max = 0;
};

struct TripStatistics {
    int axisCount = 1;
    std::array<PeakAxisStatistics, 3> axes;  // X, Y, Z; axisCount of them valid
    std::vector<EventEstimate> events;       // one per row, in row order
    Percentiles dropHeightM;                 // of the events' estimated heights
};

// One axis of one peak row as the statistics and the verdicts see it: the
// file's peaks, and the larger of them (the positive one when both are
// equal) with its own pulse width taken as a half-sine. A hand-edited file may
// carry either sign in either column: the magnitudes are what the shock was.
struct PeakAxisEvent {
    double positiveG = 0;  // the file's decimals
    double negativeG = 0;
    double peakG = 0;              // the larger magnitude, with its sign
    int widthMs = 0;               // its pulse width; a negative width counts as 0
    double velocityChangeMps = 0;  // estimated
    bool any() const { return positiveG != 0 || negativeG != 0; }
};
PeakAxisEvent peakAxisEvent(const PeakRow& row, int axis);

// The statistics of peak rows (single-axis rows use X only) from a sensor of
// rangeG, with drop heights for the restitution (which must be valid). Peak
// values are taken as the decimals the data file holds (fileDecimal). A
// negative pulse width counts as 0. With a range that is not positive every
// event falls into the last bin.
TripStatistics analysePeakRows(std::span<const PeakRow> rows, int axisCount, double rangeG,
                               double restitution);

// The velocity change of a half-sine pulse of that peak and width:
// 2 · |A| · g · w / π.
double halfSineVelocityChangeMps(double peakG, double widthMs);

// The percentiles of the values (reordering them).
Percentiles percentilesOf(std::span<double> values);

}  // namespace kv
