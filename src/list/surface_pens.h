#pragma once

#include <QPen>

#include "list/line_widths.h"

class QPainter;

namespace kv {

// The pen of a line of `role` drawn by `painter` (the resolution of its
// coordinates decides, see lineStyle: the device's, divided by the painter's
// scale, as where a page is laid out in dots of its own): the one place where
// graphs, charts and printed lists get their pens. Pixel pens have square
// caps, so that a line from p to q covers the pixels of both ends.
QPen linePen(const QPainter& painter, LineRole role, const QColor& color);
// Whether `painter` draws at a printer's resolution.
bool isPaperPainter(const QPainter& painter);

}  // namespace kv
