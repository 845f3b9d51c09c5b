#include "viewer/scale_mapping.h"

#include <cmath>

namespace kv {
namespace {

// A zoomed time axis can put rows months away billions of pixels off the
// area; they are clipped anyway, so the offset only has to stay an int.
constexpr double kFarOff = 1 << 30;

int truncOffset(double v) {
    if (!(v > -kFarOff)) return v != v ? 0 : -static_cast<int>(kFarOff);
    if (v > kFarOff) return static_cast<int>(kFarOff);
    return static_cast<int>(std::trunc(v));
}

}  // namespace

void ScaleMapping::setArea(const PixelRect& area) {
    area_ = area;
    updateFactors();
}

void ScaleMapping::setRange(double xOrigin, double yOrigin, double xSpan, double ySpan) {
    xMin_ = xOrigin;
    yMin_ = yOrigin;
    xSpan_ = xSpan;
    ySpan_ = ySpan;
    updateFactors();
}

void ScaleMapping::updateFactors() {
    const int w = area_.right - area_.left;
    xFactor_ = (w != 0 && xSpan_ != 0) ? w / xSpan_ : 0;
    const int h = area_.bottom - area_.top;
    yFactor_ = (h != 0 && ySpan_ != 0) ? h / ySpan_ : 0;
}

int ScaleMapping::toPixelX(double x) const {
    if (xFactor_ > 0) return area_.left + truncOffset(xFactor_ * (x - xMin_));
    if (xFactor_ < 0) return area_.right + truncOffset(xFactor_ * (x - xMin_));
    return area_.left;
}

int ScaleMapping::toPixelY(double y) const {
    if (yFactor_ > 0) return area_.top + truncOffset(yFactor_ * (y - yMin_));
    if (yFactor_ < 0) return area_.bottom + truncOffset(yFactor_ * (y - yMin_));
    return area_.top;
}

PixelPoint ScaleMapping::toPixel(double x, double y) const {
    return {toPixelX(x), toPixelY(y)};
}

}  // namespace kv
