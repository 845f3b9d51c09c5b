#pragma once

#include <string>

#include "datafile/data_set.h"
#include "graph/graph_view_state.h"
#include "recorder/records.h"

class QPainter;

namespace kv {

enum class GraphExportFormat { Png, Svg, Pdf };

// Paints the paint boxes of the view as the window lays them out in an area of
// width × height pixels (three boxes one above the other in view 4), on white.
void paintGraphArea(QPainter& painter, int width, int height, const GraphViewState& view,
                    const DataSet& data, const RecorderIdentity& identity);

// Writes the graph to `path` (the file system's bytes): PNG the boxes' pixels,
// SVG the same drawing as vectors and text, PDF the printed page (landscape
// A4; refused for view 4). The picture is made in memory and written as a
// whole or not at all: on failure an old file of that name is left as it was,
// no temporary file stays behind, and `error` says why.
bool exportGraph(const std::string& path, GraphExportFormat format, int width, int height,
                 const GraphViewState& view, const DataSet& data, const RecorderIdentity& identity,
                 std::string& error);

}  // namespace kv
