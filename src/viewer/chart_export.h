#pragma once

// The analysis charts as the windows show them, print them and save them,
// and as `kvtool plot` writes them: one picture, four surfaces.

#include <QString>
#include <array>
#include <string>
#include <vector>

#include "graph/analysis_charts.h"
#include "settings/pc_settings.h"
#include "viewer/graph_export.h"

class QPagedPaintDevice;
class QPainter;
class QWidget;

namespace kv {

// One chart with what is said around it.
struct ChartPicture {
    enum class Kind { Spectrum, Histogram };
    Kind kind = Kind::Spectrum;
    SrsChart spectrum;
    HistogramChart histogram;
    std::array<GraphColors, 3> colors{};
    std::string caption;             // the data file's path: the printout's first line
    std::string header;              // what the chart shows (srsChartHeader, histogramChartHeader)
    std::vector<std::string> notes;  // the printout's lines under the header (the window's values)
};

// The chart in a width × height box on white, in the screen's label font and
// colour set 1's text colour; the header on top when `withHeader` (saved
// pictures), without it in a window, whose other controls say what it shows.
// Returns where every part went.
ChartPlan paintChart(QPainter& painter, int width, int height, const ChartPicture& picture,
                     bool withHeader);

// The printed page on a painter begun on a printer or PDF writer of
// pageWidth × pageHeight device pixels: the caption, the header, the notes and
// the chart
// within margins of a tenth of the page, labels at 16 points in black.
void drawPrintedChart(QPainter& painter, int pageWidth, int pageHeight,
                      const ChartPicture& picture);

// Prints that page on a printer or PDF writer, turned to landscape. False when
// the device cannot be painted on.
bool printChartOn(QPagedPaintDevice& device, const ChartPicture& picture);

// Saves the chart to `path` (the file system's bytes) as PNG, SVG (width ×
// height, with the header) or PDF (the printed page); see exportPicture.
bool exportChart(const std::string& path, GraphExportFormat format, int width, int height,
                 const ChartPicture& picture, std::string& error);

// The print command of the analysis windows: the print dialog (PtDialog),
// then the page in landscape. False when cancelled or when the printer could
// not be started; a PDF file chosen in the dialog that could not be written
// leaves why in `error` (empty otherwise).
bool printChart(QWidget* parent, const ChartPicture& picture, std::string& error);

}  // namespace kv
