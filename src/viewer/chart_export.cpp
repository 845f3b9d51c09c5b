#include "viewer/chart_export.h"

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>
#include <vector>

#include "list/list_printing.h"
#include "list/qt_output_file.h"
#include "viewer/chart_drawing.h"
#include "viewer/graph_drawing.h"
#include "viewer/graph_printing.h"

namespace kv {
namespace {

ChartPlan drawChartIn(GraphSurface& surface, const ChartPicture& picture,
                      std::vector<std::string> titles) {
    if (picture.kind == ChartPicture::Kind::Spectrum)
        return drawSrsChart(surface, picture.spectrum, picture.colors, std::move(titles));
    return drawHistogramChart(surface, picture.histogram, picture.colors, std::move(titles));
}

}  // namespace

ChartPlan paintChart(QPainter& painter, int width, int height, const ChartPicture& picture,
                     bool withHeader) {
    painter.fillRect(QRect(0, 0, width, height), Qt::white);
    GraphSurface surface(painter, QRect(0, 0, width, height));
    surface.setFont(graphLabelFont());
    surface.setTextColor(graphColor(picture.colors[0].font));
    std::vector<std::string> titles;
    if (withHeader && !picture.header.empty()) titles.push_back(picture.header);
    return drawChartIn(surface, picture, std::move(titles));
}

void drawPrintedChart(QPainter& painter, int pageWidth, int pageHeight,
                      const ChartPicture& picture) {
    const QRect box(pageWidth / 10, pageHeight / 10, pageWidth * 8 / 10, pageHeight * 8 / 10);
    GraphSurface surface(painter, box);
    QFont font = graphLabelFont();
    // The printout's own fonts, so that a PDF's text reads back as written.
    font.setFamilies(printFontFamilies());
    font.setPointSize(16);
    surface.setFont(font);
    surface.setTextColor(Qt::black);
    std::vector<std::string> titles = {picture.caption, picture.header};
    titles.insert(titles.end(), picture.notes.begin(), picture.notes.end());
    titles.emplace_back();
    drawChartIn(surface, picture, std::move(titles));
}

bool printChartOn(QPagedPaintDevice& device, const ChartPicture& picture) {
    device.setPageOrientation(QPageLayout::Landscape);
    QPainter painter;
    if (!painter.begin(&device)) return false;
    drawPrintedChart(painter, device.width(), device.height(), picture);
    return painter.end();
}

bool exportChart(const std::string& path, GraphExportFormat format, int width, int height,
                 const ChartPicture& picture, std::string& error) {
    PictureDrawing drawing;
    drawing.title = QString::fromStdString(picture.header);
    drawing.paint = [&](QPainter& painter, int w, int h) {
        paintChart(painter, w, h, picture, true);
    };
    drawing.printPage = [&](QPagedPaintDevice& device) { return printChartOn(device, picture); };
    return exportPicture(path, format, width, height, drawing, error);
}

bool printChart(QWidget* parent, const ChartPicture& picture, std::string& error) {
    return printLandscapeThroughDialog(
        parent, [&](QPagedPaintDevice& device) { return printChartOn(device, picture); }, error);
}

}  // namespace kv
