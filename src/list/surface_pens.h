#pragma once

#include <QPen>

#include "list/line_widths.h"

class QPaintDevice;

namespace kv {

// The pen of a line of `role` on `device` (its resolution decides, see
// lineStyle): the one place where graphs, charts and printed lists get their
// pens. Pixel pens have square caps, so that a line from p to q covers the
// pixels of both ends.
QPen linePen(const QPaintDevice* device, LineRole role, const QColor& color);
// Whether `device` is drawn at a printer's resolution.
bool isPaperDevice(const QPaintDevice* device);

}  // namespace kv
