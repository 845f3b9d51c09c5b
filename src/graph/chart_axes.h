#pragma once

// The arithmetic of the analysis charts (the shock response spectrum on
// log-log axes, the event histogram over bins of the range): where a value
// lands on an axis, which grid lines an axis gets, which of their labels fit.

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "graph/scale_mapping.h"

namespace kv {

// One axis of a chart: values from lo to hi on the pixels p0 to p1 (for a
// vertical axis p0 is the bottom edge, so values grow upwards), linear or
// logarithmic.
class ChartAxis {
  public:
    ChartAxis() = default;
    // A logarithmic axis needs 0 < lo < hi, a linear one lo < hi.
    ChartAxis(double lo, double hi, bool logarithmic);
    void setPixels(int p0, int p1) {
        p0_ = p0;
        p1_ = p1;
    }

    double lo() const { return lo_; }
    double hi() const { return hi_; }
    bool logarithmic() const { return log_; }
    int p0() const { return p0_; }
    int p1() const { return p1_; }
    // Whether v has a place on the axis at all: finite, and positive on a
    // logarithmic one (a spectrum value of 0 has none).
    bool shows(double v) const;
    // The nearest pixel of v; lo lands on p0 and hi on p1 exactly. Values
    // outside the range land beyond the ends (callers clip), at most 2^30
    // pixels away. A value the axis does not show gives p0.
    int toPixel(double v) const;

  private:
    double lo_ = 0, hi_ = 1;
    double tLo_ = 0, tSpan_ = 1;  // lo and hi - lo after the log, when logarithmic
    bool log_ = false;
    int p0_ = 0, p1_ = 1;
};

// A grid value of an axis; major lines are drawn solid, the others dotted.
struct AxisTick {
    double value = 0;
    bool major = false;
    bool operator==(const AxisTick&) const = default;
};

// The 1, 2 and 5 of every decade between lo and hi (both included, within a
// millionth), from the bottom up; the powers of ten are major.
std::vector<AxisTick> logTicks(double lo, double hi);

struct ValueRange {
    double lo = 1;
    double hi = 10;
    bool operator==(const ValueRange&) const = default;
};

// The whole decades that hold every positive value from minPositive to
// maxValue, at most maxDecades of them counted down from the top (smaller
// values fall below the axis). 1 to 10 when there is no positive value.
ValueRange decadeRange(double minPositive, double maxValue, int maxDecades);

// A linear axis from 0 that shows `maxValue`: a step of 1, 2 or 5 times a
// power of ten, at least minStep, for at most maxDivisions divisions, and the
// first multiple of it at or above maxValue as the top (one step when
// maxValue is not positive).
struct LinearRange {
    double top = 1;
    double step = 1;
    bool operator==(const LinearRange&) const = default;
};
LinearRange niceLinearRange(double maxValue, int maxDivisions, double minStep);

// The text of a grid value: at most six significant digits, without trailing
// zeros ("0.05", "2", "1000", "0.3" for a step's sum 0.30000000000000004).
std::string tickText(double value);

// A label that may go along an axis: centred on `centre`, `size` pixels long
// along the axis. Priority 0 labels are placed first.
struct LabelSlot {
    int centre = 0;
    int size = 0;
    int priority = 0;
};
// Which labels are drawn: priority by priority, each in its order along the
// axis, a label is kept when it lies within [low, high] and keeps at least
// `gap` pixels from every label kept before it. So labels never overlap, and
// the important ones (the decades) win over the others.
std::vector<bool> thinLabels(std::span<const LabelSlot> slots, int gap, int low, int high);

// Which labels of grid lines at regular steps are drawn (slots in their order
// along the axis): every k-th, counted from slot `anchor`, with the smallest k
// at which those keep `gap` pixels apart; and always those of priority 0 (the
// zero label, the end label with the unit), before which a k-th one that
// would come within `gap` gives way. Every grid line keeps its line.
std::vector<bool> everyKthLabel(std::span<const LabelSlot> slots, int anchor, int gap);

// How big texts are on the surface a chart is drawn on.
struct TextMeasure {
    std::function<int(const std::string&)> width;
    int height = 0;      // of a line of text
    int digitWidth = 0;  // of "8"
};

// Where the parts of a chart go in a box of width × height pixels: title
// lines at the top, then the row with the vertical axis' caption on the left
// and the legend on the right (the legend gets a row of its own when both do
// not fit side by side), the plot area with room for the vertical labels
// (yLabelWidth) on its left and half a label above and below it, the
// horizontal labels under it and the horizontal axis' caption under them.
struct ChartLayout {
    PixelRect plot;
    int captionTop = 0;  // the vertical axis' caption, at the box's left
    int legendTop = 0;   // the legend, ending at the plot area's right edge
    int xLabelTop = 0;
    int xCaptionTop = 0;
};
ChartLayout chartLayout(int width, int height, const TextMeasure& text, int titleLines,
                        int yCaptionWidth, int yLabelWidth, int legendWidth);

}  // namespace kv
