#include "viewer/graph_export.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QSvgGenerator>
#include <QTemporaryFile>
#include <cstdio>

#include "viewer/graph_drawing.h"
#include "graph/graph_labels.h"
#include "graph/graph_layout.h"
#include "viewer/graph_printing.h"

namespace kv {

void paintGraphArea(QPainter& painter, int width, int height, const GraphViewState& view,
                    const DataSet& data, const RecorderIdentity& identity) {
    painter.fillRect(QRect(0, 0, width, height), Qt::white);
    const GraphWindowGeometry g = geometryForBoxArea(width, height);
    const TextMetrics text = graphTextMetrics(graphLabelFont(), painter.device());
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
}

namespace {

bool render(const QString& file, GraphExportFormat format, int width, int height,
            const GraphViewState& view, const DataSet& data, const RecorderIdentity& identity,
            QString& error) {
    switch (format) {
        case GraphExportFormat::Png: {
            QImage image(width, height, QImage::Format_RGB32);
            if (image.isNull()) {
                error = QStringLiteral("no memory for a %1×%2 image").arg(width).arg(height);
                return false;
            }
            QPainter painter(&image);
            paintGraphArea(painter, width, height, view, data, identity);
            painter.end();
            if (!image.save(file, "PNG")) {
                error = QStringLiteral("the image could not be written");
                return false;
            }
            return true;
        }
        case GraphExportFormat::Svg: {
            QSvgGenerator svg;
            svg.setFileName(file);
            svg.setSize(QSize(width, height));
            svg.setViewBox(QRect(0, 0, width, height));
            svg.setTitle(QString::fromStdString(data.filePath));
            QPainter painter;
            if (!painter.begin(&svg)) {
                error = QStringLiteral("the SVG file could not be written");
                return false;
            }
            paintGraphArea(painter, width, height, view, data, identity);
            if (!painter.end()) {
                error = QStringLiteral("the SVG file could not be written");
                return false;
            }
            return QFileInfo(file).size() > 0;
        }
        case GraphExportFormat::Pdf: {
            if (graphOfView(view.viewMode) < 0) {
                error = QStringLiteral("view 4 is not printed");
                return false;
            }
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(file);
            printer.setPageSize(QPageSize(QPageSize::A4));
            if (!printGraphOn(printer, view, data, identity,
                              QString::fromStdString(data.filePath))) {
                error = QStringLiteral("the PDF file could not be written");
                return false;
            }
            return true;
        }
    }
    return false;
}

}  // namespace

bool exportGraph(const QString& path, GraphExportFormat format, int width, int height,
                 const GraphViewState& view, const DataSet& data, const RecorderIdentity& identity,
                 QString& error) {
    // Written beside the target and renamed over it at the end, so a failed or
    // interrupted export never leaves a partial file under the asked name.
    QTemporaryFile temp(QFileInfo(path).absolutePath() + QStringLiteral("/.kvplot-XXXXXX"));
    if (!temp.open()) {
        error = QStringLiteral("cannot write in the folder of %1").arg(path);
        return false;
    }
    const QString tempName = temp.fileName();
    temp.close();
    if (!render(tempName, format, width, height, view, data, identity, error)) return false;
    if (std::rename(QFile::encodeName(tempName).constData(), QFile::encodeName(path).constData()) !=
        0) {
        error = QStringLiteral("cannot create %1").arg(path);
        return false;
    }
    temp.setAutoRemove(false);
    return true;
}

}  // namespace kv
