#pragma once

// The two charts of the shock analysis as pixels, worked out without a window
// so that the analysis window, its printout, the trip report and `kvtool plot`
// draw the same picture: the shock response spectrum of a wave record (one
// curve per axis on log-log axes) and the histogram of a peak file's events
// (grouped bars per axis over the bins of a tenth of the range).

#include <array>
#include <span>
#include <string>
#include <vector>

#include "analysis/file_analysis.h"
#include "analysis/trip_statistics.h"
#include "graph/chart_axes.h"

namespace kv {

// The size of a chart saved without one asked for: the analysis windows'.
constexpr int kDefaultChartWidth = 640;
constexpr int kDefaultChartHeight = 400;

// The spectrum of one record: per axis one value per frequency, G for the
// acceleration spectrum, m/s for the pseudo-velocity one.
struct SrsChart {
    std::vector<double> frequenciesHz;
    int axisCount = 1;
    std::array<std::vector<double>, 3> values;
    bool pseudoVelocity = false;
};
// The chart of an analysed record (empty when it was analysed without its
// spectrum).
SrsChart srsChartOf(const RecordAnalysis& record, std::span<const double> frequenciesHz,
                    bool pseudoVelocity);

// The events of a trip per bin and axis; the bins' lower edges in G.
struct HistogramChart {
    int axisCount = 1;
    std::array<double, kHistogramBins> lowerEdgesG{};
    std::array<std::array<int, kHistogramBins>, 3> counts{};
    bool logCounts = false;
};
HistogramChart histogramChartOf(const TripStatistics& trip, bool logCounts);

// The line that says what a chart shows, above it in saved pictures and
// printouts: the record, its time and the spectrum's kind and Q; the number of
// events and the range of the histogram.
std::string srsChartHeader(const RecordAnalysis& record, double q, bool pseudoVelocity);
std::string histogramChartHeader(const TripStatistics& trip, int rows, double rangeG);

// The axes' names in the legend and the tables.
const char* axisName(int axis);  // "X", "Y", "Z"

struct ChartLine {
    int pixel = 0;
    bool solid = false;
    bool operator==(const ChartLine&) const = default;
};
// A label centred on `centre` along its axis (across for the horizontal axis,
// up and down for the vertical one).
struct ChartLabel {
    int centre = 0;
    std::string text;
    bool operator==(const ChartLabel&) const = default;
};
struct ChartAxisPlan {
    std::vector<ChartLine> lines;
    std::vector<ChartLabel> labels;  // only those that fit
    std::string caption;
};
// One legend entry: a short line from lineLeft to lineRight at the middle of
// the legend row, the axis name from textLeft.
struct LegendEntry {
    int axis = 0;
    int lineLeft = 0;
    int lineRight = 0;
    int textLeft = 0;
};

// Everything a chart draws but its data, in pixels of its box (0, 0 at the
// box's top-left corner).
struct ChartPlan {
    int width = 0;
    int height = 0;
    std::vector<std::string> titles;  // one line each, from the top
    ChartLayout layout;
    ChartAxis x, y;
    ChartAxisPlan xGrid, yGrid;
    std::vector<LegendEntry> legend;
    // Said in the middle of the plot area when there is nothing to draw.
    std::string note;
};

// The spectrum chart in a box of width × height: whole decades of frequency
// (Hz) across and of the values (at most five decades) up, lines at 1, 2 and 5
// of each decade, the decades solid.
ChartPlan planSrsChart(const SrsChart& chart, int width, int height, const TextMeasure& text,
                       std::vector<std::string> titles = {});
// Axis `axis`'s curve in pixels: one run per stretch of values the vertical
// axis shows (a value of 0 breaks the curve).
std::vector<std::vector<PixelPoint>> srsCurvePixels(const ChartPlan& plan, const SrsChart& chart,
                                                    int axis);

// The histogram chart: the bins side by side across, labelled at their lower
// edges in G and the last one (the range and beyond) as "≥R"; the counts up
// from 0 on a linear axis or from 1 on a logarithmic one.
ChartPlan planHistogramChart(const HistogramChart& chart, int width, int height,
                             const TextMeasure& text, std::vector<std::string> titles = {});
// The bars, bin by bin and axis by axis within a bin, with their edges
// included; a count of 0 has none.
struct ChartBar {
    int axis = 0;
    int bin = 0;
    PixelRect rect;
};
std::vector<ChartBar> histogramBars(const ChartPlan& plan, const HistogramChart& chart);

}  // namespace kv
