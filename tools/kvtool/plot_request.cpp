#include "plot_request.h"

#include <charconv>

#include "tool_options.h"

namespace kv::tool {
namespace {

bool parseInt(const std::string& text, int low, int high, int& out) {
    int v = 0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || ptr != text.data() + text.size() || text.empty()) return false;
    if (v < low || v > high) return false;
    out = v;
    return true;
}

// "A<sep>B" with both parts in [low, high].
bool parsePair(const std::string& text, char sep, int low, int high, int& a, int& b) {
    const size_t at = text.find(sep);
    return at != std::string::npos && parseInt(text.substr(0, at), low, high, a) &&
           parseInt(text.substr(at + 1), low, high, b);
}

}  // namespace

bool parsePlotRequest(const std::vector<std::string>& args, PlotRequest& r, std::string& error) {
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.rfind("--", 0) != 0) {
            if (!r.file.empty() || a.empty()) {
                error = "plot takes one FILE";
                return false;
            }
            r.file = a;
            continue;
        }
        if (i + 1 >= args.size()) {
            error = a + " needs a value";
            return false;
        }
        const std::string& v = args[++i];
        int n = 0, m = 0;
        if (a == "--out" && !v.empty()) {
            r.out = v;
        } else if (a == "--view" && parseInt(v, 0, 4, n)) {
            r.view = n;
        } else if (a == "--record" && parseInt(v, 1, 1000000, n)) {
            r.record = n;
        } else if (a == "--time-zoom" && parseInt(v, 0, 18, n)) {
            r.timeZoom = n;
        } else if (a == "--g-zoom" && parseInt(v, 0, 3, n)) {
            r.gZoom = n;
        } else if (a == "--scroll" && parsePair(v, ',', 0, 1 << 30, n, m)) {
            r.scroll = std::make_pair(n, m);
        } else if (a == "--size" && parsePair(v, 'x', 16, 16384, n, m)) {
            r.width = n;
            r.height = m;
        } else {
            static const char* const kHints[][2] = {
                {"--out", "a file name ending in .png, .svg or .pdf"},
                {"--view", "0 to 4"},
                {"--record", "a record number from 1"},
                {"--time-zoom", "0 to 18"},
                {"--g-zoom", "0 to 3"},
                {"--scroll", "two positions H,V"},
                {"--size", "WxH, each 16 to 16384"},
            };
            error = "plot: unexpected '" + a + "'";
            for (const auto& h : kHints)
                if (a == h[0]) error = a + " takes " + h[1];
            return false;
        }
    }
    if (r.file.empty() || r.out.empty()) {
        error = "plot needs a FILE and --out OUT";
        return false;
    }
    if (hasExtension(r.out, ".png")) {
        r.format = PlotFormat::Png;
    } else if (hasExtension(r.out, ".svg")) {
        r.format = PlotFormat::Svg;
    } else if (hasExtension(r.out, ".pdf")) {
        r.format = PlotFormat::Pdf;
    } else {
        error = "--out must end in .png, .svg or .pdf";
        return false;
    }
    if (r.format == PlotFormat::Pdf && r.view == 4) {
        error = "view 4 is not printed, so it has no PDF";
        return false;
    }
    return true;
}

const char* const kPlotHelp =
    "Usage: kvtool [--ini FILE] plot FILE --out OUT(.png|.svg|.pdf) [--view 0-4]\n"
    "              [--record N] [--time-zoom 0-18] [--g-zoom 0-3] [--scroll H,V]\n"
    "              [--size WxH]\n\n"
    "Draws a data file as the graph window shows it (PNG, SVG) or prints it (PDF),\n"
    "with the window's own drawing and the INI file's graph colours.\n\n"
    "Options:\n"
    "  FILE            the data file to draw. Example: kvtool plot data.csv --out a.png\n"
    "  --out OUT       the picture to write; its ending chooses the format.\n"
    "                  Example: --out graph.pdf\n"
    "  --view 0-4      the graph window's view; default: the one it opens the file in.\n"
    "                  Example: --view 2\n"
    "  --record N      the record to show, from 1. Example: --record 3\n"
    "  --time-zoom I   the time axis zoom, the index of the window's list 0 to 18.\n"
    "                  Example: --time-zoom 4\n"
    "  --g-zoom J      the G axis zoom, the index of the window's list 0 to 3.\n"
    "                  Example: --g-zoom 1\n"
    "  --scroll H,V    the scroll-bar positions. Example: --scroll 120,0\n"
    "  --size WxH      the picture's size in pixels (16 to 16384 each); default: the\n"
    "                  window's. Example: --size 1280x800\n";

}  // namespace kv::tool
