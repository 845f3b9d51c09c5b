#include "viewer/graph_surface.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>

#include "list/surface_pens.h"

namespace kv {

QColor graphColor(uint32_t bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

GraphSurface::GraphSurface(QPainter& painter, const QRect& box)
    : painter_(painter), box_(box), paper_(isPaperPainter(painter)) {
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    painter_.setClipRect(box_);
}

void GraphSurface::setFont(const QFont& font) {
    painter_.setFont(font);
}

TextMetrics GraphSurface::textMetrics() const {
    QFontMetrics m(painter_.font(), painter_.device());
    return {m.height(), m.horizontalAdvance(QStringLiteral("8"))};
}

int GraphSurface::textWidth(const QString& text) const {
    return QFontMetrics(painter_.font(), painter_.device()).horizontalAdvance(text);
}

int GraphSurface::textHeight() const {
    return QFontMetrics(painter_.font(), painter_.device()).height();
}

void GraphSurface::drawText(int x, int y, const QString& text) {
    QFontMetrics m(painter_.font(), painter_.device());
    painter_.setPen(textColor_);
    painter_.drawText(QPoint(x, y + m.ascent()), text);
}

void GraphSurface::setPen(const QColor& color, LineRole role) {
    painter_.setPen(linePen(painter_, role, color));
}

void GraphSurface::drawLine(PixelPoint a, PixelPoint b) {
    painter_.drawLine(a.x, a.y, b.x, b.y);
}

void GraphSurface::drawLines(const std::vector<QLine>& lines) {
    if (!lines.empty()) painter_.drawLines(lines.data(), static_cast<int>(lines.size()));
}

void GraphSurface::drawPolyline(const std::vector<QPoint>& points) {
    if (points.size() < 2) return;
    // On paper one stroke, whose joins are round.
    if (paper_) {
        painter_.drawPolyline(points.data(), static_cast<int>(points.size()));
        return;
    }
    // As separate segments: each one's ends are drawn, so every point's own
    // pixel is on the curve (a polyline's rasteriser may pass a sloped joint
    // one pixel beside it).
    segments_.clear();
    for (size_t i = 1; i < points.size(); ++i) segments_.emplace_back(points[i - 1], points[i]);
    drawLines(segments_);
}

void GraphSurface::fillRect(const PixelRect& r, const QColor& color) {
    painter_.fillRect(QRect(QPoint(r.left, r.top), QPoint(r.right, r.bottom)), color);
}

void GraphSurface::drawFrame(const PixelRect& r, const QColor& color) {
    setPen(color, LineRole::Frame);
    if (paper_) {
        const QBrush brush = painter_.brush();
        painter_.setBrush(Qt::NoBrush);
        painter_.drawRect(QRectF(r.left, r.top, r.right - r.left, r.bottom - r.top));
        painter_.setBrush(brush);
        return;
    }
    // Two one-pixel rings.
    painter_.setPen(linePen(painter_, LineRole::Rule, color));
    for (int k = 0; k <= 1; ++k) {
        const int l = r.left - k, t = r.top - k, rr = r.right + k, b = r.bottom + k;
        painter_.drawLine(l, t, rr, t);
        painter_.drawLine(l, b, rr, b);
        painter_.drawLine(l, t, l, b);
        painter_.drawLine(rr, t, rr, b);
    }
}

void GraphSurface::clipTo(const PixelRect& r) {
    painter_.setClipRect(QRect(QPoint(r.left, r.top), QPoint(r.right, r.bottom)) & box_);
}

void GraphSurface::clearClip() {
    painter_.setClipRect(box_);
}

}  // namespace kv
