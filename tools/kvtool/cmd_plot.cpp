// kvtool plot FILE --out OUT …: draws a data file as the graph window shows it
// (PNG, SVG) or prints it (PDF), on Qt's offscreen platform.
#include <cstdio>
#include <cstdlib>

#include "analysis/file_analysis.h"
#include "graph/analysis_texts.h"
#include "graph/graph_layout.h"
#include "graph/graph_view_rules.h"
#include "graph/zoom_scale.h"
#include "offscreen_gui.h"
#include "plot_request.h"
#include "settings/pc_settings.h"
#include "tool_link.h"
#include "tool_load.h"
#include "tool_options.h"
#include "tool_output.h"
#include "viewer/chart_export.h"
#include "viewer/graph_export.h"

namespace kv::tool {
namespace {

int usage(const std::string& message) {
    std::fprintf(stderr, "kvtool: %s\n", message.c_str());
    return kExitUsage;
}

// Applies what the request asks of the loaded file to the window's state, or
// says why the file does not allow it.
bool setUpView(const PlotRequest& r, const LoadResult& loaded, DataSet& data,
               const RecorderIdentity& id, GraphViewState& view, std::string& error) {
    const bool wave = id.waveData == 1;
    // Any view of any file: the window offers single-axis files view 1 only,
    // and in the others their missing Y and Z axes show an empty grid.
    view.viewMode = r.view.value_or(dataViewSetup(id.modelCode, wave).view);
    if (wave) {
        if (r.record > data.lastIndex + 1) {
            error = "--record: the file has " + std::to_string(data.lastIndex + 1) + " records";
            return false;
        }
        data.currentIndex = r.record - 1;
    } else if (r.record != 1) {
        error = "--record chooses a wave record; peak files show all their rows";
        return false;
    }
    if (wave && r.timeZoom != 0) {
        error = "--time-zoom: the time axis of wave data is fixed";
        return false;
    }
    view.currentScale = view.zoomScale = loaded.scale;
    if (r.timeZoom != 0 || r.gZoom != 0)
        setZoom(view, r.timeZoom, r.gZoom, wave, data.startTime, data.endTime, id.sensorRange);
    if (r.scroll) {
        const auto [h, v] = *r.scroll;
        if (h > view.yokoBar.maximum || v > view.tateBar.maximum) {
            error = "--scroll: positions go up to " + std::to_string(view.yokoBar.maximum) + "," +
                    std::to_string(view.tateBar.maximum) + " at this zoom";
            return false;
        }
        if (view.yokoBar.enabled || view.tateBar.enabled) scrollTo(view, h, v, id.sensorRange);
    }
    return true;
}

// The chart the request asks for, as the analysis windows draw it, or why the
// file has none.
bool setUpChart(const PlotRequest& r, const DataSet& data, const RecorderIdentity& id,
                const PcSettings& settings, ChartPicture& picture, std::string& error) {
    const DataHeader header = dataHeaderOf(data, id);
    const bool spectrum = r.chart == PlotChart::Spectrum;
    if (spectrum != header.wave) {
        error = spectrum ? "--srs needs wave data; the file holds peak data"
                         : "--histogram needs peak data; the file holds wave data";
        return false;
    }
    picture.colors = settings.graphColors;
    picture.caption = data.filePath;
    if (spectrum) {
        if (r.record > data.lastIndex + 1) {
            error = "--record: the file has " + std::to_string(data.lastIndex + 1) + " records";
            return false;
        }
        const double q = r.q.value_or(settings.srsQ);
        const SrsPlan plan = planSrs(header.samplePeriodMs, q);
        const RecordAnalysis record =
            analyseWaveRecord(data, header, r.record - 1, settings.restitution, &plan);
        picture.kind = ChartPicture::Kind::Spectrum;
        picture.spectrum = srsChartOf(record, plan.frequenciesHz, r.pseudoVelocity);
        picture.header = srsChartHeader(record, q, r.pseudoVelocity);
        picture.notes =
            recordTableLines(recordTableRows(record, data.waveRecords[0][r.record - 1].resultantG,
                                             header.samplePeriodMs, settings.restitution),
                             settings.restitution);
    } else {
        const FileAnalysis analysis = analyseDataSet(data, header, settings.analysisOptions());
        picture.kind = ChartPicture::Kind::Histogram;
        picture.histogram = histogramChartOf(analysis.trip, r.logCounts);
        picture.header = histogramChartHeader(analysis.trip, data.lastIndex + 1, header.rangeG);
        picture.notes = tripStatisticsLines(analysis.trip, header.rangeG, settings.restitution);
    }
    return true;
}

}  // namespace

int runPlot(const ToolOptions& options) {
    PlotRequest request;
    std::string error;
    if (!parsePlotRequest(options.args, request, error)) return usage(error);

    if (const int refused = refuseClashingOutput(request.out, {request.file})) return refused;

    DataSet data;
    RecorderIdentity identity;
    LoadResult loaded;
    if (!loadForTool(request.file, data, identity, loaded)) return kExitFailed;

    PcSettings settings;
    loadToolSettings(options, settings);
    static const GraphExportFormat kFormats[] = {GraphExportFormat::Png, GraphExportFormat::Svg,
                                                 GraphExportFormat::Pdf};
    const GraphExportFormat format = kFormats[static_cast<int>(request.format)];
    std::string failure;
    bool written = false;
    if (request.chart == PlotChart::Graph) {
        GraphViewState view;
        if (!setUpView(request, loaded, data, identity, view, error)) return usage(error);
        view.colors = settings.graphColors;
        OffscreenGui gui;
        written =
            exportGraph(request.out, format, request.width ? request.width : kDefaultBoxAreaWidth,
                        request.height ? request.height : kDefaultBoxAreaHeight, view, data,
                        identity, failure, request.title);
    } else {
        ChartPicture picture;
        if (!setUpChart(request, data, identity, settings, picture, error)) return usage(error);
        OffscreenGui gui;
        written =
            exportChart(request.out, format, request.width ? request.width : kDefaultChartWidth,
                        request.height ? request.height : kDefaultChartHeight, picture, failure);
    }
    if (!written) {
        std::fprintf(stderr, "kvtool: cannot write %s\n", failure.c_str());
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace kv::tool
