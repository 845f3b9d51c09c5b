#pragma once

#include <cmath>

namespace kv {

struct PixelPoint {
    int x = 0;
    int y = 0;
    bool operator==(const PixelPoint&) const = default;
};

// Edges in pixels; right and bottom are the last line and column of the area
// (the frame is drawn on them).
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const PixelRect&) const = default;
};

// The value-to-pixel arithmetic of one scale graph: a plot area in pixels and
// the value ranges it shows. The factors always belong to the current area and
// ranges.
class ScaleMapping {
  public:
    void setArea(const PixelRect& area);
    // Origin: the value at the left edge and at the origin edge of the vertical
    // axis; spans: the ranges shown (the vertical one negative so G grows up).
    void setRange(double xOrigin, double yOrigin, double xSpan, double ySpan);

    // Truncates toward zero. A zero factor (no width, no span) puts every point
    // on the left or top edge; a negative one measures from the right or bottom
    // edge. Values far outside the ranges map far outside the area (clamped to
    // ±2^30 so the pixel stays an int); callers clip.
    PixelPoint toPixel(double x, double y) const { return {toPixelX(x), toPixelY(y)}; }
    // Inline: a peak view maps two values for each of 360000 bars.
    int toPixelX(double x) const {
        if (xFactor_ > 0) return area_.left + truncOffset(xFactor_ * (x - xMin_));
        if (xFactor_ < 0) return area_.right + truncOffset(xFactor_ * (x - xMin_));
        return area_.left;
    }
    int toPixelY(double y) const {
        if (yFactor_ > 0) return area_.top + truncOffset(yFactor_ * (y - yMin_));
        if (yFactor_ < 0) return area_.bottom + truncOffset(yFactor_ * (y - yMin_));
        return area_.top;
    }

    const PixelRect& area() const { return area_; }
    double xMin() const { return xMin_; }
    double yMin() const { return yMin_; }
    double xSpan() const { return xSpan_; }
    double ySpan() const { return ySpan_; }
    double xFactor() const { return xFactor_; }
    double yFactor() const { return yFactor_; }

  private:
    // A zoomed time axis can put rows months away billions of pixels off the
    // area; they are clipped anyway, so the offset only has to stay an int.
    static int truncOffset(double v) {
        constexpr double kFarOff = 1 << 30;
        if (v != v) return 0;
        if (v < -kFarOff) return -(1 << 30);
        if (v > kFarOff) return 1 << 30;
        return static_cast<int>(std::trunc(v));
    }
    void updateFactors();

    PixelRect area_;
    double yMin_ = 0;
    double xMin_ = 0;
    double xSpan_ = 0;
    double ySpan_ = 0;
    double xFactor_ = 0;
    double yFactor_ = 0;
};

}  // namespace kv
