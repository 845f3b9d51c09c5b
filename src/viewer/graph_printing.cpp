#include "viewer/graph_printing.h"

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <cmath>

#include "graph/graph_labels.h"
#include "list/qt_output_file.h"
#include "viewer/graph_drawing.h"

namespace kv {
namespace {

bool isWaveModeText(const std::string& modeText) {
    return modeText == "波形モード" || modeText == "Wave Mode";
}

}  // namespace

bool drawPrintedGraph(QPainter& painter, int pageWidth, int pageHeight, const GraphViewState& view,
                      const DataSet& data, const RecorderIdentity& identity,
                      const QString& caption) {
    const int graphIndex = graphOfView(view.viewMode);
    if (graphIndex < 0) return false;
    GraphSurface surface(painter, QRect(0, 0, pageWidth, pageHeight));
    QFont font = graphLabelFont();
    font.setPointSize(16);
    surface.setFont(font);
    surface.setTextColor(Qt::black);
    const TextMetrics text = surface.textMetrics();
    const PixelRect area = printPlotArea(pageWidth, pageHeight, text);

    // The printout decides wave against peak drawing by the mode text of the
    // file, as its header says.
    RecorderIdentity printed = identity;
    printed.waveData = isWaveModeText(data.modeText) ? 1 : 0;
    ScaleGraph graph;
    graph.SetCanvas(&surface);
    graph.SetArea(area);
    drawGraph(graph, graphIndex, GraphContext{view, data, printed}, false);

    drawGraphTitle(
        surface, area.left, titleLinesAbove(area.top, text), caption,
        QString::fromStdString(buildHeaderText(data, printed, view.viewMode, view.liveRunning)));
    return true;
}

bool printGraphOn(QPagedPaintDevice& device, const GraphViewState& view, const DataSet& data,
                  const RecorderIdentity& identity, const QString& caption) {
    if (graphOfView(view.viewMode) < 0) return false;
    device.setPageOrientation(QPageLayout::Landscape);
    QPainter painter;
    if (!painter.begin(&device)) return false;
    const bool drawn =
        drawPrintedGraph(painter, device.width(), device.height(), view, data, identity, caption);
    return painter.end() && drawn;
}

bool PrintGraph(QWidget* parent, const GraphViewState& view, const DataSet& data,
                const RecorderIdentity& identity, const QString& caption, std::string& error) {
    error.clear();
    if (graphOfView(view.viewMode) < 0) return false;
    return printLandscapeThroughDialog(
        parent,
        [&](QPagedPaintDevice& device) {
            return printGraphOn(device, view, data, identity, caption);
        },
        error);
}

bool printLandscapeThroughDialog(QWidget* parent, const PdfPainting& paint, std::string& error) {
    error.clear();
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("PtDialog"));
    if (dialog.exec() != QDialog::Accepted) return false;
    return printOrWritePdf(printer, paint, error);
}

}  // namespace kv
