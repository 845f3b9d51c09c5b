#include "plot_request.h"

#include <charconv>

#include "analysis/analysis_options.h"
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

bool parseReal(const std::string& text, double& out) {
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && ptr == text.data() + text.size() && !text.empty();
}

// The options of the graph and of each chart; anything else is refused with
// the chart.
bool checkChartOptions(const std::vector<std::string>& given, const PlotRequest& r,
                       std::string& error) {
    static const char* const kGraphOnly[] = {"--view", "--time-zoom", "--g-zoom", "--scroll",
                                             "--title"};
    for (const std::string& a : given) {
        bool wrong = false;
        if (r.chart != PlotChart::Graph)
            for (const char* g : kGraphOnly) wrong = wrong || a == g;
        if ((a == "--q" || a == "--pvss") && r.chart != PlotChart::Spectrum) wrong = true;
        if (a == "--log" && r.chart != PlotChart::Histogram) wrong = true;
        if (a == "--record" && r.chart == PlotChart::Histogram) wrong = true;
        if (wrong) {
            error =
                a + (r.chart == PlotChart::Graph
                         ? std::string(" belongs to ") + (a == "--log" ? "--histogram" : "--srs")
                         : std::string(" does not go with ") +
                               (r.chart == PlotChart::Spectrum ? "--srs" : "--histogram"));
            return false;
        }
    }
    return true;
}

}  // namespace

bool parsePlotRequest(const std::vector<std::string>& args, PlotRequest& r, std::string& error) {
    std::vector<std::string> given;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--srs" || a == "--histogram") {
            if (r.chart != PlotChart::Graph) {
                error = "plot draws one chart: --srs or --histogram";
                return false;
            }
            r.chart = a == "--srs" ? PlotChart::Spectrum : PlotChart::Histogram;
            continue;
        }
        if (a == "--pvss" || a == "--log") {
            (a == "--pvss" ? r.pseudoVelocity : r.logCounts) = true;
            given.push_back(a);
            continue;
        }
        if (a.rfind("--", 0) == 0) given.push_back(a);
        if (a.rfind("--", 0) != 0) {
            if (!r.file.empty() || a.empty()) {
                error = "plot takes one FILE";
                return false;
            }
            r.file = a;
            continue;
        }
        if (a == "--title") {
            r.title = true;
            continue;
        }
        if (i + 1 >= args.size()) {
            error = a + " needs a value";
            return false;
        }
        const std::string& v = args[++i];
        int n = 0, m = 0;
        double q = 0;
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
        } else if (a == "--q" && parseReal(v, q) && isValidQ(q)) {
            r.q = q;
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
                {"--q", "a quality factor from 2 to 50"},
            };
            error = "plot: unexpected '" + a + "'";
            for (const auto& h : kHints)
                if (a == h[0]) error = a + " takes " + h[1];
            return false;
        }
    }
    if (!checkChartOptions(given, r, error)) return false;
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
    "              [--size WxH] [--title]\n"
    "       kvtool [--ini FILE] plot FILE --srs [--record N] [--q Q] [--pvss]\n"
    "              --out OUT [--size WxH]\n"
    "       kvtool [--ini FILE] plot FILE --histogram [--log] --out OUT [--size WxH]\n\n"
    "Draws a data file as the graph window shows it (PNG, SVG) or prints it (PDF),\n"
    "with the window's own drawing and the INI file's graph colours; with --srs or\n"
    "--histogram, a chart of the shock analysis as the analysis windows draw it.\n\n"
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
    "                  window's. Example: --size 1280x800\n"
    "  --title         the data file's path and the header line above the graphs, as\n"
    "                  on the printout (which, as PDF, has them always); they add two\n"
    "                  lines to the picture's height. Example: --title\n"
    "  --srs           wave data: the shock response spectrum of a record (--record,\n"
    "                  default 1), frequency (Hz) across and the response (G) up on\n"
    "                  log-log axes, one curve per axis in the axis colours.\n"
    "                  Example: kvtool plot KV63W.csv --srs --record 2 --out srs.png\n"
    "  --q Q           with --srs: the quality factor, 2 to 50. Default: the INI's\n"
    "                  [Analysis] Q, else 10. Example: --q 20\n"
    "  --pvss          with --srs: the pseudo-velocity spectrum (m/s) instead.\n"
    "                  Example: --srs --pvss\n"
    "  --histogram     peak data: the events per axis in bins of a tenth of the\n"
    "                  range (the last bin: the range and beyond), as grouped bars.\n"
    "                  Example: kvtool plot KV63P.csv --histogram --out hist.svg\n"
    "  --log           with --histogram: the counts on a logarithmic scale.\n"
    "                  Example: --histogram --log\n";

}  // namespace kv::tool
