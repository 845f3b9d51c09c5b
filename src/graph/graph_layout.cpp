#include "graph/graph_layout.h"

#include <cmath>

#include "graph/graph_labels.h"

namespace kv {
namespace {

// The window's bars around the paint boxes: one tool row above, the G scroll
// bar to the right, the time scroll bar and the status bar below.
constexpr int kToolRowBottom = 32;
constexpr int kScrollBarExtent = 17;
constexpr int kStatusBarHeight = 19;

// The printout's margins are tenths of the page taken in single precision.
const double kTenth = static_cast<double>(0.1f);

}  // namespace

PixelRect plotMargins(int w, int h, const TextMetrics& text) {
    PixelRect r;
    r.left = static_cast<int>(std::trunc(w * 0.05));
    r.top = text.height;
    r.right = w - 10 * text.width;
    r.bottom = h - 2 * text.height;
    return r;
}

PixelRect printPlotArea(int pageWidth, int pageHeight, const TextMetrics& text) {
    PixelRect r;
    r.left = static_cast<int>(std::trunc(pageWidth * kTenth));
    r.right = static_cast<int>(std::trunc(pageWidth * kTenth * 9));
    r.top = 7 * text.height;
    r.bottom = static_cast<int>(std::trunc(pageHeight * kTenth * 9));
    return r;
}

TitleLines titleLinesAbove(int top, const TextMetrics& text) {
    return {static_cast<int>(std::trunc(top - 2.4 * text.height)),
            static_cast<int>(std::trunc(top - 1.2 * text.height))};
}

int pictureTitleHeight(const TextMetrics& text) {
    return static_cast<int>(std::trunc(2.6 * text.height));
}

GraphLayout layoutGraphs(const GraphWindowGeometry& g, int viewMode, const TextMetrics& text) {
    GraphLayout out;
    out.realList = {0, g.panel1Bottom + 2, g.clientWidth - 1,
                    g.clientHeight - (g.statusBarHeight + g.panel1Bottom + 12)};
    const int width = g.clientWidth - g.tateBarWidth - 1;
    if (viewMode == 4) {
        const int top = g.panel2Bottom + 2;
        const int third = (g.yokoBarTop - top) / 3;
        const PixelRect area = plotMargins(width, third - 5, text);
        for (int i = 0; i < 3; ++i) {
            out.box[i] = {0, top + i * third, width, third - 5};
            out.visible[i] = true;
            out.plotArea[i] = area;
        }
        return out;
    }
    const int i = graphOfView(viewMode) < 0 ? 0 : graphOfView(viewMode);
    const int height = g.yokoBarTop - g.panel1Bottom - 2;
    out.box[i] = {0, g.panel1Bottom + 2, width, height};
    out.visible[i] = true;
    out.plotArea[i] = plotMargins(width, height, text);
    return out;
}

std::vector<ToolPlace> wrapToolPanels(std::span<const int> widths, int width) {
    std::vector<ToolPlace> places;
    int row = 0, x = 0;
    for (int w : widths) {
        if (x > 0 && x + w > width) {
            ++row;
            x = 0;
        }
        places.push_back({row, x});
        x += w;
    }
    return places;
}

int toolRowCount(std::span<const int> widths, int width) {
    const std::vector<ToolPlace> places = wrapToolPanels(widths, width);
    return places.empty() ? 1 : places.back().row + 1;
}

int readableGraphAreaHeight(int viewMode, const TextMetrics& text) {
    // Four lines of plot and the margins of plotMargins: one line above, two
    // below; the separate view's boxes are 5 pixels apart.
    constexpr int kPlotLines = 4;
    const int box = (kPlotLines + 3) * text.height;
    return viewMode == 4 ? 3 * (box + 5) : box;
}

GraphWindowGeometry geometryForBoxArea(int w, int h) {
    GraphWindowGeometry g;
    g.panel1Bottom = g.panel2Bottom = kToolRowBottom;
    g.tateBarWidth = kScrollBarExtent;
    g.statusBarHeight = kStatusBarHeight;
    g.clientWidth = w + kScrollBarExtent + 1;
    g.yokoBarTop = kToolRowBottom + 2 + h;
    g.clientHeight = g.yokoBarTop + kScrollBarExtent + kStatusBarHeight;
    return g;
}

}  // namespace kv
