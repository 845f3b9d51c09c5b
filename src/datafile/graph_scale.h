#pragma once

#include "base/datetime.h"

namespace kv {

// The value ranges the three graphs of the graph window show, and the grid
// spacing. Horizontal values are date-times (days) for peak data and sample
// numbers 0 … 512 for wave data; vertical values are G. ySpan is yMin − yMax,
// negative, so that G grows upwards.
struct GraphScale {
    double xSpan = 0;
    double ySpan = 0;
    double xMax = 0;
    double xMin = 0;
    double yMax = 0;
    double yMin = 0;
    double xStep = 0;
    double yStep = 0;
};

// The whole measurement from start to end in four divisions; ±120 % of the
// sensor range in twelve divisions of 20 %.
GraphScale defaultPeakScale(DateTime start, DateTime end, double rangeG);
// All 512 samples with a grid line every 100; the G axis as for peak data.
GraphScale defaultWaveScale(double rangeG);

}  // namespace kv
