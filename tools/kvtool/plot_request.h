#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kv::tool {

enum class PlotFormat { Png, Svg, Pdf };

// What is drawn: the graph window's graphs, or a chart of the shock analysis.
enum class PlotChart { Graph, Spectrum, Histogram };

// kvtool plot FILE --out OUT [--view 0-4] [--record N] [--time-zoom I]
// [--g-zoom J] [--scroll H,V] [--size WxH] [--title], or FILE --srs [--record N] [--q Q]
// [--pvss] --out OUT, or FILE --histogram [--log] --out OUT, as given; what the
// file allows (the view, the record, the scroll range, the kind of data) is
// checked after loading it.
struct PlotRequest {
    PlotChart chart = PlotChart::Graph;
    std::optional<double> q;  // --srs: the INI's Q when not given
    bool pseudoVelocity = false;
    bool logCounts = false;
    std::string file;
    std::string out;
    PlotFormat format = PlotFormat::Png;
    std::optional<int> view;  // none: the view the window opens the file in
    int record = 1;           // 1-based
    int timeZoom = 0;         // ComboX index 0 … 18
    int gZoom = 0;            // ComboY index 0 … 3
    std::optional<std::pair<int, int>> scroll;
    int width = 0;  // 0: the window's default box area
    int height = 0;
    bool title = false;  // the file's path and the header line above the graphs
};

// False with the reason on a usage error.
bool parsePlotRequest(const std::vector<std::string>& args, PlotRequest& request,
                      std::string& error);

}  // namespace kv::tool
