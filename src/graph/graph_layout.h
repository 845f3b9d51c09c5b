#pragma once

#include <array>
#include <span>
#include <vector>

#include "graph/scale_mapping.h"

namespace kv {

// Size of the text "8" on a surface: every label offset and margin derives
// from it.
struct TextMetrics {
    int height = 0;
    int width = 0;
};

// The plot area inside a paint box of w × h pixels: 5 % of the width on the
// left for the G labels' start, one text line on top, ten digits on the right
// for the G labels, two text lines below for the time labels.
PixelRect plotMargins(int w, int h, const TextMetrics& text);

// The printed plot area on a page of w × h device pixels: the middle 80 % of
// the width, from seven text lines down to 90 % of the height (room for the
// caption and the header line above it).
PixelRect printPlotArea(int pageWidth, int pageHeight, const TextMetrics& text);

// The two title lines above a plot or a picture whose graphs begin at `top`, as
// on the printout: the data file's path 2.4 lines above, the header line 1.2
// lines above.
struct TitleLines {
    int captionTop = 0;
    int headerTop = 0;
    bool operator==(const TitleLines&) const = default;
};
TitleLines titleLinesAbove(int top, const TextMetrics& text);
// The band a saved picture's title takes above its graphs: the two lines and
// a fifth of a line above them.
int pictureTitleHeight(const TextMetrics& text);

// Where the graph window's controls are, as the paint boxes' layout needs them.
struct GraphWindowGeometry {
    int clientWidth = 0;
    int clientHeight = 0;
    int panel1Bottom = 0;     // the tool rows above the graphs in views 0 … 3
    int panel2Bottom = 0;     // the tool row above the graphs in view 4
    int yokoBarTop = 0;       // the time scroll bar under the graphs
    int tateBarWidth = 0;     // the G scroll bar right of them
    int statusBarHeight = 0;  // FileHeaderShow
};

struct BoxRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const BoxRect&) const = default;
};

// Pic1 … Pic3 for a view: their bounds in the window's client area, whether
// each is shown, and each graph's plot area in its box's own coordinates (in
// view 4 the three share Pic1's). realList is the real-time list's bounds.
struct GraphLayout {
    std::array<BoxRect, 3> box{};
    std::array<bool, 3> visible{};
    std::array<PixelRect, 3> plotArea{};
    BoxRect realList;
};
GraphLayout layoutGraphs(const GraphWindowGeometry& g, int viewMode, const TextMetrics& text);

// The tool panels in rows of `width` pixels: each panel (in order, of its
// width) follows the one before it and starts a new row where it would pass
// the row's end, so every command stays on show in a narrow window. A panel
// wider than a row has a row of its own.
struct ToolPlace {
    int row = 0;
    int left = 0;
    bool operator==(const ToolPlace&) const = default;
};
std::vector<ToolPlace> wrapToolPanels(std::span<const int> widths, int width);
// The rows they take (one at least).
int toolRowCount(std::span<const int> widths, int width);

// The height the paint boxes need for every graph of the view to stay
// readable: a plot area four text lines high with its label margins, for each
// of the three graphs in view 4.
int readableGraphAreaHeight(int viewMode, const TextMetrics& text);

// The paint boxes' share of the window's default 693 × 435 client area.
constexpr int kDefaultBoxAreaWidth = 675;
constexpr int kDefaultBoxAreaHeight = 365;
// The geometry of a window whose boxes share exactly w × h pixels (what
// `kvtool plot --size` draws), with the window's own bar sizes around them.
GraphWindowGeometry geometryForBoxArea(int w, int h);

}  // namespace kv
