#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/datetime.h"
#include "graph/graph_view_state.h"

namespace kv {

// The menu bars of the graph window; it shows one at a time. KV43 is built
// for 4300 files but never shown: they use the triaxial bar.
enum class GraphMenu { Start, KV53, KV51, KV41, KV43, Real };

// How the graph window presents loaded data of a model and kind.
struct DataViewSetup {
    GraphMenu menu = GraphMenu::KV51;
    bool allViewButtons = false;  // XYZ, Y, Z and separate besides X
    bool allAxesItem = false;     // the menu's all-axes view item
    bool navigation = false;      // the record panel and next / previous / find
    bool timeSelector = true;     // the quick time-window selector
    GraphView view = kViewX;
};

DataViewSetup dataViewSetup(int modelCode, bool waveData);

// The record shown after a step through the records 0 … lastIndex: +1 / −1 for
// next and previous, ±10 for the ten-record jumps. A step that cannot be made
// (at the end, or without records) leaves the record where it is; a jump stops
// at the first or last record.
int stepRecord(int current, int lastIndex, int step);

// The record of a typed record number (1 … lastIndex + 1), or nothing for a
// number outside that range or a text that is not an integer.
std::optional<int> recordOfNumberText(std::string_view text, int lastIndex);

// A selector's index after one click on an up-down arrow: one item up or down,
// staying put at either end.
int selectorStep(int index, int itemCount, bool up);

// A time-window edge as typed into the scale dialog: "yyyy/mm/dd hh:mm:ss",
// the seconds or the whole time of day may be left out; surrounding blanks are
// ignored. Nothing when it is not a valid date-time.
std::optional<DateTime> parseWindowEdge(std::string_view text);

// Why the scale dialog cannot be confirmed, as the dialog tells it beside its
// fields: an edge that does not read as a date-time, or a window the user
// typed that does not end after it starts; in two short lines that break
// between phrases. Empty when it can.
std::string windowProblem(std::optional<DateTime> start, std::optional<DateTime> end, bool typed);

// The file types of the open dialog, in their order: what the user reads and
// the name patterns it stands for.
struct FileFilter {
    std::string label;
    std::vector<std::string> patterns;
};
const std::vector<FileFilter>& dataFileFilters();

}  // namespace kv
