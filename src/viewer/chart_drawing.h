#pragma once

// Drawing of the analysis charts on the graphs' drawing surface, one routine
// for the analysis windows, their printouts, the trip report and `kvtool plot`:
// the shock response spectrum (log-log, one curve per axis) and the histogram
// of a trip's events (grouped bars per axis).
//
//   GraphSurface surface(painter, box);
//   surface.setFont(graphLabelFont());          // or the printer's font
//   surface.setTextColor(...);                  // the labels' colour
//   drawSrsChart(surface, chart, colours, {"No.3 …"});
//
// The chart fills the surface's box: white around the plot area, the plot
// area in colour set 1's back colour with its grid and frame in set 1's grid
// colour, each axis's curve or bars in the line colour of its own set. Text is
// drawn as text (searchable in a PDF); lines have the pens of the graphs: one
// pixel on the screen, their widths in points on paper.

#include <array>
#include <string>
#include <vector>

#include "graph/analysis_charts.h"
#include "settings/pc_settings.h"
#include "viewer/graph_surface.h"

namespace kv {

// The text sizes of a surface as the chart arithmetic measures them.
TextMeasure textMeasureOf(const GraphSurface& surface);

// Draws the spectrum chart in the surface's box; returns its plan (where
// every part went), which tests and callers may look at.
ChartPlan drawSrsChart(GraphSurface& surface, const SrsChart& chart,
                       const std::array<GraphColors, 3>& colors,
                       std::vector<std::string> titles = {});

// Draws the histogram chart in the surface's box.
ChartPlan drawHistogramChart(GraphSurface& surface, const HistogramChart& chart,
                             const std::array<GraphColors, 3>& colors,
                             std::vector<std::string> titles = {});

}  // namespace kv
