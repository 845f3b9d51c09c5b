#pragma once

#include <QIcon>

namespace kv {

// The pictures of the graph window's small icon buttons, drawn in code so that
// they scale with the screen and need no image files.
enum class GraphGlyph {
    Open,
    List,
    Print,
    Info,
    AllAxes,
    Separate,
    Scale,
    DataSet,
    Spectrum,
    Histogram
};

QIcon graphGlyph(GraphGlyph glyph);

}  // namespace kv
