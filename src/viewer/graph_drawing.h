#pragma once

// Drawing of the graph window's paint boxes, shared by the window, its
// printout and `kvtool plot`.
//
// How the graph window uses it:
//   - It keeps one GraphViewState (graph_view_state.h) with the view, the
//     scales, the zoom selectors, the scroll bars and the colours, and changes
//     it only through setZoom / updateScrollBars / scrollTo (zoom_scale.h),
//     defaultPeakScale / defaultWaveScale after a load, and dialogScale from
//     the scale dialog. The wave record shown is DataSet::currentIndex.
//   - On every resize or view change: layoutGraphs (graph_layout.h) with its
//     controls' geometry and graphTextMetrics(graphLabelFont(), box) gives the
//     bounds of Pic1 … Pic3 and each one's plot area.
//   - In the paint event of paint box i (0 = Pic1 … 2 = Pic3):
//         QPainter p(pic);
//         GraphSurface surface(p, pic->rect());
//         surface.setFont(graphLabelFont());
//         drawGraphBox(surface, i, layout.plotArea[i], view, data, identity);
//     A box that the view does not use is left as it is.
//   - The status bar shows buildHeaderText (graph_labels.h) after a repaint.
//   - Print: PrintGraph (graph_printing.h).

#include <QFont>

#include "datafile/data_set.h"
#include "graph/graph_layout.h"
#include "graph/graph_view_state.h"
#include "recorder/records.h"
#include "viewer/graph_surface.h"
#include "viewer/scale_graph.h"

class QPaintDevice;

namespace kv {

// The paint boxes' label font: "ＭＳ Ｐゴシック", 12 pixels high.
QFont graphLabelFont();
// The size of "8" in `font` on `device` (the screen when null).
TextMetrics graphTextMetrics(const QFont& font, const QPaintDevice* device);

// What a graph is drawn from.
struct GraphContext {
    const GraphViewState& view;
    const DataSet& data;
    const RecorderIdentity& identity;
};

// Wave grid: cleared area, thirteen G lines (solid at both ends and at 0 G)
// with their labels, dotted lines every x step with the time labels below.
void Write_Grid(ScaleGraph& graph, const GraphContext& c);
// Peak grid: the same G lines, five time lines (solid at both ends) with the
// date and the time of day below each.
void Write_PeakGrid(ScaleGraph& graph, const GraphContext& c);
// The wave curves of record currentIndex that the view puts on graph
// `graphIndex`, clipped to its plot area.
void Write_Data(ScaleGraph& graph, int graphIndex, const GraphContext& c);
// The peak bars of the rows in the time window that the view puts on graph
// `graphIndex`, clipped to its plot area. Bars that fall on one pixel column
// are merged into one line when `mergeColumns` is set; the picture is the same.
void Write_PeakData(ScaleGraph& graph, int graphIndex, const GraphContext& c,
                    bool mergeColumns = true);

// Grid and data of graph `graphIndex` on the graph's surface: what one paint
// box shows. The label colour is the colour set's text colour when
// `setTextColors`, else the surface's own (the printout's black).
void drawGraph(ScaleGraph& graph, int graphIndex, const GraphContext& c, bool setTextColors);

// Paints paint box `box` (0 … 2) for the view: nothing while no file is
// loaded or when the view does not use the box; else the grid, and the data
// when there are records.
void drawGraphBox(GraphSurface& surface, int box, const PixelRect& plotArea,
                  const GraphViewState& view, const DataSet& data,
                  const RecorderIdentity& identity);

// The title above a printed or saved graph: the caption (the data file's path)
// and the header line, in black, from `left`.
void drawGraphTitle(GraphSurface& surface, int left, const TitleLines& lines,
                    const QString& caption, const QString& header);

}  // namespace kv
