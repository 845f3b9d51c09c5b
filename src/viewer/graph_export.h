#pragma once

#include <string>

#include <QString>
#include <functional>

#include "datafile/data_set.h"
#include "graph/graph_view_state.h"
#include "recorder/records.h"

class QPagedPaintDevice;
class QPainter;

namespace kv {

enum class GraphExportFormat { Png, Svg, Pdf };

// Paints the paint boxes of the view as the window lays them out in an area of
// width × height pixels (three boxes one above the other in view 4), on white.
// With `titled`, the data file's path and the header line go above them, as on
// the printout, in a band of titleBandHeight() pixels that the picture adds.
void paintGraphArea(QPainter& painter, int width, int height, const GraphViewState& view,
                    const DataSet& data, const RecorderIdentity& identity, bool titled = false);
int titleBandHeight();

// A picture the program saves: drawn in a width × height box on a painter for
// PNG and SVG, and as the printed page for PDF (false when there is none).
struct PictureDrawing {
    std::function<void(QPainter& painter, int width, int height)> paint;
    std::function<bool(QPagedPaintDevice& device)> printPage;
    QString title;  // the SVG's title
};

// Writes the picture to `path` (the file system's bytes): PNG the pixels, SVG
// the same drawing as vectors and text, PDF the printed page (A4). Made in
// memory and written as a whole or not at all: on failure an old file of that
// name is left as it was, no temporary file stays behind, and `error` says why.
bool exportPicture(const std::string& path, GraphExportFormat format, int width, int height,
                   const PictureDrawing& drawing, std::string& error);

// Writes the graph to `path` (the file system's bytes): PNG the boxes' pixels,
// SVG the same drawing as vectors and text (both width × height, and the
// title band above when `titled`), PDF the printed page (landscape A4, which
// has its title always; refused for view 4). The picture is made in memory and written as a
// whole or not at all: on failure an old file of that name is left as it was,
// no temporary file stays behind, and `error` says why.
bool exportGraph(const std::string& path, GraphExportFormat format, int width, int height,
                 const GraphViewState& view, const DataSet& data, const RecorderIdentity& identity,
                 std::string& error, bool titled = false);

}  // namespace kv
