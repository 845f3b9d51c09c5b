#pragma once

// What the analysis windows, their printouts and their files say, as text:
// the table of a wave record's pulses, the spectrum as CSV, and a trip's
// statistics. Numbers come from src/analysis; this only words them.

#include <array>
#include <string>
#include <vector>

#include "analysis/file_analysis.h"
#include "analysis/trip_statistics.h"
#include "graph/analysis_charts.h"

namespace kv {

// Columns of the record table: the axis, then the values.
constexpr int kRecordTableColumns = 6;
// The headers; the drop height's names the restitution it assumes.
std::array<std::string, kRecordTableColumns> recordTableHeaders(double restitution);

// One row of the record table: an axis (X, Y, Z) or 合成 (the record).
struct RecordTableRow {
    std::array<std::string, kRecordTableColumns> cells;
    // A value is a lower bound: the recorder's range cut the pulse off.
    bool clipped = false;
};

// What a pulse beyond the range means, for the hint of a "≥" value.
extern const char* const kClippedHint;

// The rows of a record: one per axis the model records, with the peak (G),
// the duration (ms), the velocity change (m/s) and the pulse shape; then 合成
// with the recorder's resultant peak, the velocity changes of the axes as one
// vector and the drop height (cm) for the restitution. Values of a clipped
// axis, and the record's values when any axis is clipped, are bounds: "≥"
// before a magnitude or a positive peak, "≤" before a negative peak.
// Without a sample period the time values read "—".
std::vector<RecordTableRow> recordTableRows(const RecordAnalysis& record, double resultantG,
                                            double samplePeriodMs, double restitution);

// The spectrum as a spreadsheet reads it: a header line naming the units
// (周波数(Hz), then X, Y, Z in G or m/s), then one line per frequency with
// every value in full (the shortest text that reads back as the same double).
// Lines end in CR LF. Only the header without a spectrum.
std::string srsCsvText(const SrsChart& chart);

// The lines a printout puts above the spectrum: the record table as text.
std::vector<std::string> recordTableLines(const std::vector<RecordTableRow>& rows,
                                          double restitution);

// The trip statistics' largest-peak table: per axis the largest positive and
// the largest negative peak with its row number (from 1) and time. A peak
// beyond 1.1 times the range (rangeG) was cut off by the recorder: "≥" before
// a positive one, "≤" before a negative one.
struct ExtremeRow {
    int axis = 0;
    bool positive = true;
    PeakExtreme extreme;
    bool clipped = false;
    std::array<std::string, 5> cells;  // 軸, 向き, ピーク値(G), No., 時刻
};
extern const char* const kExtremeHeaders[5];
std::vector<ExtremeRow> extremeRows(const TripStatistics& trip, double rangeG);

// The events per axis: "X: 2905  Y: 2936  Z: 2943".
std::string eventCountText(const TripStatistics& trip);

// The percentiles of the estimated drop heights (cm): rows 50 %, 90 %, 99 %
// and 最大, labelled as an estimate with the restitution.
struct PercentileRow {
    std::string name;
    std::string heightCm;
};
std::vector<PercentileRow> percentileRows(const TripStatistics& trip);
std::string percentileCaption(double restitution);

// What a screen reader says for a chart: for the spectrum each axis's largest
// value and its frequency; for the histogram each axis's counts per bin.
std::string srsChartDescription(const SrsChart& chart);
std::string histogramChartDescription(const HistogramChart& chart);

// The lines a printout of the trip statistics puts above the histogram: each
// axis's extremes, then the estimated heights.
std::vector<std::string> tripStatisticsLines(const TripStatistics& trip, double rangeG,
                                             double restitution);

}  // namespace kv
