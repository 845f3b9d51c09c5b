#pragma once

#include "datafile/data_set.h"

namespace kv {

// Where the graph window's time zoom goes to show one event of peak data.
struct EventZoom {
    int timeIndex = 0;  // ComboX: 0 the whole measurement, 1 … 18 a window length
    int scroll = 0;     // YokoBar's position
    bool operator==(const EventZoom&) const = default;
};

// The zoom that shows row `row` of axis `axis` (its time column) with its
// neighbours: the narrowest preset window that, scrolled so that the row is
// centred as far as the scroll bar reaches, holds the times of the five rows
// around it (two before and two after, near either end the five nearest); the
// whole measurement when no window does. Rows are in time order; the row must
// lie in 0 … lastIndex.
EventZoom eventZoom(const DataSet& data, int row, int axis);

}  // namespace kv
