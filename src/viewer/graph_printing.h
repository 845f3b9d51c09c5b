#pragma once

#include <QString>
#include <string>

#include "datafile/data_set.h"
#include "graph/graph_view_state.h"
#include "list/qt_output_file.h"
#include "recorder/records.h"

class QPainter;
class QPagedPaintDevice;
class QWidget;

namespace kv {

// The printed page on a painter begun on a printer or PDF writer of
// pageWidth × pageHeight device pixels: the graph of the view (graph 1 for
// views 0 and 1, 2 for view 2, 3 for view 3) in the printer plot area with
// the label font at 16 points, the header line above it and the caption (the
// data file's path) above that, all as text. The view's colours are used for
// the plot; labels are black. False for view 4, which is not printed.
bool drawPrintedGraph(QPainter& painter, int pageWidth, int pageHeight, const GraphViewState& view,
                      const DataSet& data, const RecorderIdentity& identity,
                      const QString& caption);

// Prints that page on a printer or PDF writer, turned to landscape. False for
// view 4 or when the device cannot be painted on.
bool printGraphOn(QPagedPaintDevice& device, const GraphViewState& view, const DataSet& data,
                  const RecorderIdentity& identity, const QString& caption);

// Asks for a printer in the print dialog (landscape) and prints `paint`'s
// pages there, or into the PDF file it chose. False when cancelled or failed
// (`error` then says why, empty when cancelled).
bool printLandscapeThroughDialog(QWidget* parent, const PdfPainting& paint, std::string& error);

// The window's print command: the print dialog (PtDialog), then the page in
// landscape. False when cancelled, when no printer is available or for view 4.
// A PDF file chosen in the dialog is written as a whole or not at all; why it
// was not goes to `error` (empty otherwise).
bool PrintGraph(QWidget* parent, const GraphViewState& view, const DataSet& data,
                const RecorderIdentity& identity, const QString& caption, std::string& error);

}  // namespace kv
