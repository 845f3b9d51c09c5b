#pragma once

#include <string>

#include "base/datetime.h"
#include "datafile/data_set.h"
#include "recorder/records.h"

namespace kv {

// A number rounded to `precision` significant digits and shown with
// `decimals` decimals; scientific ("1.235E+04") when its integer part has
// more digits than the precision. A value that rounds to zero shows no minus.
std::string fixedPrecisionText(double value, int precision, int decimals);

// Decimals of the G labels for a grid step: two when the step has hundredths,
// one when it has tenths, none otherwise (20 G: 0; 0.2 G: 1; 0.04 G: 2).
int gLabelDecimals(double yStep);
// The label of a horizontal grid line at y G; "(G)" goes on the top line.
std::string gLabelText(double y, double yStep, bool withUnit);

// The integer value of the data set's sample period text (ms); 0 when it is
// not a number.
int samplePeriodMs(const std::string& samplePeriodText);
// The label of a wave grid line at `ms` milliseconds: "0" at zero; below a
// sample period of 10 ms whole milliseconds, unit "(ms)"; otherwise seconds
// with one decimal, unit "(秒)".
std::string timeLabelText(double ms, int samplePeriod, bool withUnit);

// The two label lines under a peak grid line: "yy/mm/dd" and "hh:mm:ss".
std::string shortDateText(DateTime t);
std::string longTimeText(DateTime t);

// The status-bar line above the graphs and on the printout: for wave data the
// record number, its time and the peaks of the axes shown; for peak data the
// row count and the measurement's start and end (with the axes shown for
// triaxial models). A wave record outside 0 .. lastIndex gives no record part.
std::string buildHeaderText(const DataSet& data, const RecorderIdentity& identity, int viewMode,
                            bool liveRunning);

// The rows a peak graph draws for a time window: from the first row at or after
// `xMin` through the first row at or after `xMax` (all three axes' times in the
// separate view). Empty when no row reaches xMin. Rows are in time order.
struct RowWindow {
    int first = -1;
    int last = -1;
    bool empty() const { return first < 0; }
    bool operator==(const RowWindow&) const = default;
};
RowWindow peakRowWindow(const DataSet& data, int viewMode, double xMin, double xMax);

// The graphs (0, 1, 2 for X, Y, Z boxes) a view draws on, and the axis whose
// times choose the rows of a single-graph view.
bool viewUsesGraph(int viewMode, int graph);
int graphOfView(int viewMode);  // the one graph of views 0 … 3

}  // namespace kv
