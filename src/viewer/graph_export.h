#pragma once

#include <QString>

#include "datafile/data_set.h"
#include "recorder/records.h"
#include "graph/graph_view_state.h"

class QPainter;

namespace kv {

enum class GraphExportFormat { Png, Svg, Pdf };

// Paints the paint boxes of the view as the window lays them out in an area of
// width × height pixels (three boxes one above the other in view 4), on white.
void paintGraphArea(QPainter& painter, int width, int height, const GraphViewState& view,
                    const DataSet& data, const RecorderIdentity& identity);

// Writes the graph to `path`: PNG the boxes' pixels, SVG the same drawing as
// vectors and text, PDF the printed page (landscape A4; refused for view 4).
// The file appears only when it was written completely; on failure nothing is
// left behind and `error` says why.
bool exportGraph(const QString& path, GraphExportFormat format, int width, int height,
                 const GraphViewState& view, const DataSet& data, const RecorderIdentity& identity,
                 QString& error);

}  // namespace kv
