#include "list/surface_pens.h"

#include <QPaintDevice>
#include <QPainter>
#include <cmath>

namespace kv {
namespace {

// Dots per inch of the painter's own coordinates.
double dotsPerInch(const QPainter& painter) {
    const QPaintDevice* device = painter.device();
    const double deviceDpi = device ? device->logicalDpiY() : 96;
    const double scale = std::abs(painter.worldTransform().m22());
    return scale > 0 ? deviceDpi / scale : deviceDpi;
}

}  // namespace

bool isPaperPainter(const QPainter& painter) {
    return isPaperResolution(dotsPerInch(painter));
}

QPen linePen(const QPainter& painter, LineRole role, const QColor& color) {
    const double dpi = dotsPerInch(painter);
    const LineStyle style = lineStyle(role, dpi);
    if (!isPaperResolution(dpi)) {
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
