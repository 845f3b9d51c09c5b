#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kv::tool {

enum class PlotFormat { Png, Svg, Pdf };

// kvtool plot FILE --out OUT [--view 0-4] [--record N] [--time-zoom I]
// [--g-zoom J] [--scroll H,V] [--size WxH], as given; what the file allows
// (the view, the record, the scroll range) is checked after loading it.
struct PlotRequest {
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
};

// False with the reason on a usage error.
bool parsePlotRequest(const std::vector<std::string>& args, PlotRequest& request,
                      std::string& error);

}  // namespace kv::tool
