#pragma once

#include <QColor>
#include <QFont>
#include <QLine>
#include <QPoint>
#include <QRect>
#include <QString>
#include <vector>

#include "graph/graph_layout.h"
#include "graph/scale_mapping.h"
#include "list/line_widths.h"

class QPainter;

namespace kv {

// Converts a stored colour (0x00BBGGRR, red in the low byte).
QColor graphColor(uint32_t bgr);

// The one drawing surface of the graphs: a painter already begun on a widget,
// printer, PDF writer, image or SVG generator, and the paint box it draws in
// (in the painter's coordinates; what clearing fills white). On a pixel
// surface every line is aliased on whole pixels: a line from p to q covers the
// pixels of both ends. On paper lines have their widths in points (see
// lineStyle). Text is drawn as text, so a PDF keeps it searchable.
class GraphSurface {
  public:
    GraphSurface(QPainter& painter, const QRect& box);

    QPainter& painter() { return painter_; }
    const QRect& box() const { return box_; }

    void setFont(const QFont& font);
    TextMetrics textMetrics() const;  // of the text "8"
    int textWidth(const QString& text) const;
    int textHeight() const;
    void setTextColor(const QColor& color) { textColor_ = color; }
    const QColor& textColor() const { return textColor_; }
    // Top-left corner of the text at (x, y).
    void drawText(int x, int y, const QString& text);

    // The pen of what the next lines draw.
    void setPen(const QColor& color, LineRole role);
    bool onPaper() const { return paper_; }
    void drawLine(PixelPoint a, PixelPoint b);
    void drawLines(const std::vector<QLine>& lines);
    void drawPolyline(const std::vector<QPoint>& points);

    void fillRect(const PixelRect& r, const QColor& color);  // r's edges included
    // The frame round r: on pixel surfaces two pixels whose inner ones lie on
    // r's edges, on paper a frame line centred on them.
    void drawFrame(const PixelRect& r, const QColor& color);

    // Drawing stays inside the box; clipTo restricts it to r (edges included)
    // as well until clearClip.
    void clipTo(const PixelRect& r);
    void clearClip();

  private:
    QPainter& painter_;
    QRect box_;
    QColor textColor_ = Qt::black;
    bool paper_ = false;
    std::vector<QLine> segments_;
};

}  // namespace kv
