// kvtool plot FILE --out OUT …: draws a data file as the graph window shows it
// (PNG, SVG) or prints it (PDF), on Qt's offscreen platform.
#include <cstdio>
#include <cstdlib>

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

    GraphViewState view;
    if (!setUpView(request, loaded, data, identity, view, error)) return usage(error);
    PcSettings settings;
    loadToolSettings(options, settings);
    view.colors = settings.graphColors;

    OffscreenGui gui;

    const int width = request.width ? request.width : kDefaultBoxAreaWidth;
    const int height = request.height ? request.height : kDefaultBoxAreaHeight;
    static const GraphExportFormat kFormats[] = {GraphExportFormat::Png, GraphExportFormat::Svg,
                                                 GraphExportFormat::Pdf};
    std::string failure;
    if (!exportGraph(request.out, kFormats[static_cast<int>(request.format)], width, height, view,
                     data, identity, failure)) {
        std::fprintf(stderr, "kvtool: cannot write %s\n", failure.c_str());
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace kv::tool
