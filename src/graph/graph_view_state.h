#pragma once

#include <array>

#include "datafile/graph_scale.h"
#include "settings/pc_settings.h"

namespace kv {

// Views of the graph window: which axes appear and on which graph.
enum GraphView : int {
    kViewAllAxes = 0,  // X, Y and Z on graph 1
    kViewX = 1,        // graph 1
    kViewY = 2,        // graph 2
    kViewZ = 3,        // graph 3
    kViewSeparate = 4  // X on graph 1, Y on graph 2, Z on graph 3
};
constexpr int kViewCount = 5;

struct ScrollBarState {
    int position = 0;
    int maximum = 0;
    bool enabled = false;
    bool operator==(const ScrollBarState&) const = default;
};

// The colours of the three graph panes (X, Y, Z) when the INI has none, which
// the colour dialog also resets to.
inline std::array<GraphColors, 3> defaultGraphColors() {
    return PcSettings().graphColors;
}

// Everything that decides what the graph window draws besides the data set
// (whose currentIndex is the wave record shown): the one zoom state that the
// window, its scale dialog and `kvtool plot` share.
struct GraphViewState {
    int viewMode = kViewAllAxes;
    bool liveRunning = false;  // the real-time loop runs: changes the header
    GraphScale currentScale;   // what is drawn
    GraphScale zoomScale;      // what scrolling starts from
    int timeIndex = 0;         // ComboX: 0 whole measurement, 1 .. 18 a window length
    int gIndex = 0;            // ComboY: 0 .. 3 magnification 1, 2, 5, 10
    int timeScaleChoice = 0;   // the scale dialog's remembered choices; -1 after a load
    int gScaleChoice = 0;
    ScrollBarState yokoBar;  // time scrolling, one step = one grid division
    ScrollBarState tateBar;  // G scrolling
    std::array<GraphColors, 3> colors = defaultGraphColors();  // X / graph 1, Y, Z
};

}  // namespace kv
