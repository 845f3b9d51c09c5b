#pragma once

#include <string>
#include <vector>

#include "base/list_column.h"
#include "datafile/data_set.h"
#include "recorder/records.h"

namespace kv {

// Captions and widths of the real-time list (realList): caption column, date,
// time, then peak and width of each sign for X (single-axis models) or X, Y, Z.
const std::vector<ListColumn>& liveListColumns(ModelCode model);

// The rows the list shows after a peak telegram: as many of the ring's latest
// rows as fit (at most lastIndex + 1), oldest first, the newest at the bottom.
// Each row holds one text per column; a separator row's texts are all empty.
// Peaks read as gOverText of the sensor range, widths as integers.
using LiveListRow = std::vector<std::string>;
std::vector<LiveListRow> liveListRows(const DataSet& view, ModelCode model, int sensorRange,
                                      int rowsThatFit);

}  // namespace kv
