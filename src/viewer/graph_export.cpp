#include "viewer/graph_export.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>
#include <QSvgGenerator>
#include <string>

#include "base/message_text.h"
#include "graph/graph_labels.h"
#include "graph/graph_layout.h"
#include "list/qt_output_file.h"
#include "viewer/graph_drawing.h"
#include "viewer/graph_printing.h"

namespace kv {

int titleBandHeight() {
    return pictureTitleHeight(graphTextMetrics(graphLabelFont(), nullptr));
}

void paintGraphArea(QPainter& painter, int width, int height, const GraphViewState& view,
                    const DataSet& data, const RecorderIdentity& identity, bool titled) {
    const TextMetrics text = graphTextMetrics(graphLabelFont(), painter.device());
    const int band = titled ? titleBandHeight() : 0;
    painter.fillRect(QRect(0, 0, width, height + band), Qt::white);
    if (titled) {
        GraphSurface surface(painter, QRect(0, 0, width, band));
        surface.setFont(graphLabelFont());
        drawGraphTitle(surface, plotMargins(width, height, text).left, titleLinesAbove(band, text),
                       QFile::decodeName(QByteArray::fromStdString(data.filePath)),
                       QString::fromStdString(
                           buildHeaderText(data, identity, view.viewMode, view.liveRunning)));
        painter.setClipping(false);
        painter.translate(0, band);
    }
    const GraphWindowGeometry g = geometryForBoxArea(width, height);
    const GraphLayout layout = layoutGraphs(g, view.viewMode, text);
    const int areaTop = (view.viewMode == kViewSeparate ? g.panel2Bottom : g.panel1Bottom) + 2;
    for (int i = 0; i < 3; ++i) {
        if (!layout.visible[i]) continue;
        const BoxRect& b = layout.box[i];
        painter.save();
        painter.translate(b.left, b.top - areaTop);
        GraphSurface surface(painter, QRect(0, 0, b.width, b.height));
        surface.setFont(graphLabelFont());
        drawGraphBox(surface, i, layout.plotArea[i], view, data, identity);
        painter.restore();
    }
    if (titled) painter.translate(0, -band);
}

namespace {

// The picture's bytes, made in memory: neither Qt's image writer nor its SVG
// generator says reliably when a file write fails, so they never write one.
bool render(QByteArray& bytes, GraphExportFormat format, int width, int height,
            const PictureDrawing& drawing, std::string& error) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (format == GraphExportFormat::Png) {
        QImage image(width, height, QImage::Format_RGB32);
        if (image.isNull()) {
            error = "no memory for a " + std::to_string(width) + "x" + std::to_string(height) +
                    " image";
            return false;
        }
        QPainter painter(&image);
        drawing.paint(painter, width, height);
        painter.end();
        if (!image.save(&buffer, "PNG")) {
            error = "the image could not be encoded";
            return false;
        }
        return true;
    }
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(width, height));
    svg.setViewBox(QRect(0, 0, width, height));
    svg.setTitle(drawing.title);
    QPainter painter;
    if (!painter.begin(&svg)) {
        error = "the SVG picture could not be drawn";
        return false;
    }
    drawing.paint(painter, width, height);
    if (!painter.end()) {
        error = "the SVG picture could not be drawn";
        return false;
    }
    return true;
}

}  // namespace

bool exportPicture(const std::string& path, GraphExportFormat format, int width, int height,
                   const PictureDrawing& drawing, std::string& error) {
    if (format == GraphExportFormat::Pdf) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::A4));
        if (writePdfFile(path, pdfSetupOf(printer), drawing.printPage, error)) return true;
        if (error.empty()) error = shortenedForMessage(path) + ": the page could not be drawn";
        return false;
    }
    QByteArray bytes;
    if (!render(bytes, format, width, height, drawing, error)) {
        error = shortenedForMessage(path) + ": " + error;
        return false;
    }
    return writeQtOutputFile(path, bytes, error);
}

bool exportGraph(const std::string& path, GraphExportFormat format, int width, int height,
                 const GraphViewState& view, const DataSet& data, const RecorderIdentity& identity,
                 std::string& error, bool titled) {
    if (format == GraphExportFormat::Pdf && graphOfView(view.viewMode) < 0) {
        error = shortenedForMessage(path) + ": view 4 is not printed";
        return false;
    }
    const QString caption = QFile::decodeName(QByteArray::fromStdString(data.filePath));
    PictureDrawing drawing;
    drawing.title = caption;
    // The title band adds to the graphs' height; the graphs keep their size.
    const int band = titled ? titleBandHeight() : 0;
    drawing.paint = [&](QPainter& painter, int w, int h) {
        paintGraphArea(painter, w, h - band, view, data, identity, titled);
    };
    drawing.printPage = [&](QPagedPaintDevice& device) {
        return printGraphOn(device, view, data, identity, caption);
    };
    return exportPicture(path, format, width, height + band, drawing, error);
}

}  // namespace kv
