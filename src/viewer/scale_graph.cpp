#include "viewer/scale_graph.h"

#include <QPainter>
#include <vector>

namespace kv {

ScaleGraph::~ScaleGraph() {
    canvas_ = nullptr;
}

void ScaleGraph::DrawLine(double x1, double y1, double x2, double y2) {
    if (!canvas_) return;
    canvas_->setPen(graphColor(lineColor_), LineRole::Bar);
    canvas_->drawLine(ToPixel(x1, y1), ToPixel(x2, y2));
}

void ScaleGraph::DrawSegment(double x1, double y1, double x2, double y2) {
    if (!canvas_) return;
    canvas_->drawLine(ToPixel(x1, y1), ToPixel(x2, y2));
}

void ScaleGraph::DrawPolyline(const double* xs, const float* ys, int n) {
    if (!canvas_ || n < 2) return;
    std::vector<QPoint> points;
    points.reserve(n);
    for (int i = 0; i < n; ++i) {
        PixelPoint p = ToPixel(xs[i], ys[i]);
        points.emplace_back(p.x, p.y);
    }
    canvas_->setPen(graphColor(lineColor_), LineRole::Curve);
    canvas_->drawPolyline(points);
}

void ScaleGraph::SetPenStyle(bool dotted) {
    if (canvas_) canvas_->setPen(graphColor(gridColor_), dotted ? LineRole::Grid : LineRole::Rule);
}

void ScaleGraph::ClearArea() {
    if (!canvas_) return;
    // White round the plot area and its back colour inside: every pixel is
    // filled once.
    const QRect box = canvas_->box();
    const PixelRect& a = mapping_.area();
    const QRect plot(QPoint(a.left, a.top), QPoint(a.right, a.bottom));
    QPainter& p = canvas_->painter();
    if (!plot.isValid() || !box.contains(plot)) {
        p.fillRect(box, Qt::white);
    } else {
        p.fillRect(QRect(box.left(), box.top(), box.width(), plot.top() - box.top()), Qt::white);
        p.fillRect(QRect(QPoint(box.left(), plot.bottom() + 1), box.bottomRight()), Qt::white);
        p.fillRect(QRect(QPoint(box.left(), plot.top()), QPoint(plot.left() - 1, plot.bottom())),
                   Qt::white);
        p.fillRect(QRect(QPoint(plot.right() + 1, plot.top()), QPoint(box.right(), plot.bottom())),
                   Qt::white);
    }
    canvas_->fillRect(a, graphColor(backColor_));
    canvas_->drawFrame(a, graphColor(gridColor_));
    canvas_->setPen(graphColor(gridColor_), LineRole::Rule);
}

}  // namespace kv
