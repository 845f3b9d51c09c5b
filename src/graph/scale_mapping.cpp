#include "graph/scale_mapping.h"

namespace kv {

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

}  // namespace kv
