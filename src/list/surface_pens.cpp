#include "list/surface_pens.h"

#include <QPaintDevice>

namespace kv {
namespace {

double dotsPerInch(const QPaintDevice* device) {
    return device ? device->logicalDpiY() : 96;
}

}  // namespace

bool isPaperDevice(const QPaintDevice* device) {
    return isPaperResolution(dotsPerInch(device));
}

QPen linePen(const QPaintDevice* device, LineRole role, const QColor& color) {
    const LineStyle style = lineStyle(role, dotsPerInch(device));
    if (!isPaperDevice(device)) {
        return QPen(color, static_cast<int>(style.width),
                    style.dotted ? Qt::DotLine : Qt::SolidLine, Qt::SquareCap);
    }
    // Dashes keep their length with flat ends; a curve's segments meet
    // round, without notches at its corners; a bar of one point stays a dot.
    QPen pen(color, style.width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    if (style.dotted) {
        pen.setCapStyle(Qt::FlatCap);
        // A dash pattern counts in pen widths.
        pen.setDashPattern({style.dash / style.width, style.gap / style.width});
    } else if (role == LineRole::Curve) {
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
    }
    return pen;
}

}  // namespace kv
