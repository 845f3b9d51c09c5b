#pragma once

#include <vector>

#include "graph/graph_view_rules.h"

namespace kv {

// The commands of the graph window's menus and buttons; items with the same
// caption in different menus run the same command.
enum class GraphCommand {
    Open,
    SaveImage,
    Colours,
    Limits,
    Report,
    PrintReport,
    Close,
    ViewAll,
    ViewX,
    ViewY,
    ViewZ,
    ViewSeparate,
    Next,
    Previous,
    Find,
    ChangeScale,
    List,
    Print,
    MonitorSettings,
    MonitorStart,
    MonitorEnd,
    MonitorSave,
    ShockAnalysis,   // the analysis window of wave data
    TripStatistics,  // the trip statistics of peak data
};

struct MenuItemSpec {
    const char* name;
    const char* caption;
    GraphCommand command;
};

// A drop-down menu, or with no items a command right on the bar.
struct MenuSpec {
    const char* name;
    const char* caption;
    std::vector<MenuItemSpec> items;
    GraphCommand command = GraphCommand::Print;
};

struct MenuBarSpec {
    GraphMenu menu;
    const char* name;
    std::vector<MenuSpec> menus;
};

// The window's menu bars, one per GraphMenu in its order: object names,
// captions and the command of each item.
const std::vector<MenuBarSpec>& graphMenuBars();

}  // namespace kv
