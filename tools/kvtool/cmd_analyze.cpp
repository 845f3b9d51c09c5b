// kvtool analyze FILE [--record N] [--restitution E] [--q Q] [--srs] [--events]
// [--json]: the shock analysis of a data file, as the windows show it.
#include <charconv>
#include <cstdio>
#include <optional>
#include <string>

#include "analysis/file_analysis.h"
#include "analyze_report.h"
#include "settings/pc_settings.h"
#include "tool_link.h"
#include "tool_load.h"
#include "tool_options.h"
#include "tool_output.h"

namespace kv::tool {
namespace {

struct AnalyzeRequest {
    std::string path;
    int record = 0;  // 1-based; 0 for every record
    std::optional<double> restitution;
    std::optional<double> q;
    bool srs = false;
    bool events = false;
    bool json = false;
};

std::optional<double> realOf(const std::string& text) {
    double v = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return v;
}

// False with the reason on a usage error.
bool parseAnalyzeRequest(const ToolOptions& options, AnalyzeRequest& out, std::string& error) {
    const auto& args = options.args;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool takesValue = a == "--record" || a == "--restitution" || a == "--q";
        if (takesValue && i + 1 >= args.size()) {
            error = a + " needs a value";
            return false;
        }
        if (a == "--record") {
            const std::string& text = args[++i];
            int n = 0;
            auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
            if (ec != std::errc() || end != text.data() + text.size() || n < 1) {
                error = "--record needs a record number from 1 on";
                return false;
            }
            out.record = n;
        } else if (a == "--restitution") {
            out.restitution = realOf(args[++i]);
            if (!out.restitution || !isValidRestitution(*out.restitution)) {
                error = "--restitution needs a number from 0 to 0.95";
                return false;
            }
        } else if (a == "--q") {
            out.q = realOf(args[++i]);
            if (!out.q || !isValidQ(*out.q)) {
                error = "--q needs a number from 2 to 50";
                return false;
            }
        } else if (a == "--srs") {
            out.srs = true;
        } else if (a == "--events") {
            out.events = true;
        } else if (a == "--json") {
            out.json = true;
        } else if (out.path.empty() && !a.empty() && a[0] != '-') {
            out.path = a;
        } else {
            error = "analyze does not take '" + a + "'";
            return false;
        }
    }
    if (out.path.empty()) {
        error = "analyze needs a FILE";
        return false;
    }
    return true;
}

}  // namespace

int runAnalyze(const ToolOptions& options) {
    AnalyzeRequest request;
    std::string error;
    if (!parseAnalyzeRequest(options, request, error)) return usageError(error);

    PcSettings settings;
    loadToolSettings(options, settings);
    AnalysisOptions analysisOptions = settings.analysisOptions();
    if (request.restitution) analysisOptions.restitution = *request.restitution;
    if (request.q) analysisOptions.q = *request.q;
    analysisOptions.withSrs = request.srs;

    DataSet data;
    RecorderIdentity identity;
    LoadResult loaded;
    if (!loadForTool(request.path, data, identity, loaded)) return kExitFailed;

    const DataHeader header = dataHeaderOf(data, identity);
    const int records = data.lastIndex + 1;
    if (request.record > records)
        return usageError("record " + std::to_string(request.record) + " is not in the file (" +
                          std::to_string(records) + " records)");

    AnalyzeReport report;
    report.path = request.path;
    report.events = request.events || (request.record > 0 && !header.wave);
    report.onlyRecord = request.record - 1;
    FileAnalysis analysis;
    if (header.wave && request.record > 0) {
        // One record: its spectrum alone, not the whole file's.
        analysis.header = header;
        analysis.options = analysisOptions;
        SrsPlan plan;
        if (request.srs) {
            plan = planSrs(header.samplePeriodMs, analysisOptions.q);
            analysis.srsFrequenciesHz = plan.frequenciesHz;
        }
        analysis.records.push_back(analyseWaveRecord(data, header, request.record - 1,
                                                     analysisOptions.restitution,
                                                     request.srs ? &plan : nullptr));
    } else {
        analysis = analyseDataSet(data, header, analysisOptions);
    }

    return writeOutput(request.json ? analyzeJson(analysis, report) : analyzeText(analysis, report))
               ? kExitOk
               : kExitFailed;
}

const char* const kAnalyzeHelp =
    "Usage: kvtool analyze FILE [--record N] [--restitution E] [--q Q] [--srs]\n"
    "                           [--events] [--json]\n\n"
    "The shock analysis of a data file: how hard each impact was, from what height\n"
    "the package fell, what kind of pulse it was, and (wave data, with --srs) how\n"
    "severe it was for the goods inside.\n\n"
    "Wave data (one event per record), per axis: the peak (the sample of largest\n"
    "magnitude, the first of equals); the pulse around it (the samples that keep\n"
    "its sign and reach 10 % of it), its duration between the interpolated 10 %\n"
    "crossings, its velocity change (the integral of the pulse, trapezoids between\n"
    "samples plus the end pieces from the crossings), its shape from\n"
    "k = velocity change / (|peak| g duration): below 0.61 sawtooth, below 0.76\n"
    "half-sine, else trapezoid, and unknown for a pulse of fewer than 3 samples or\n"
    "an all-zero record; clipped when the pulse goes beyond 1.1 times the range.\n"
    "Per record: the velocity change of all axes as one vector and the drop height\n"
    "H = (velocity change / (1 + e))^2 / 2g, g = 9.80665 m/s^2. The shock response\n"
    "spectrum is the maximax absolute acceleration of oscillators at 2^(k/12) Hz\n"
    "from fs/512 to fs/10 (fs = 1000 / sample period), by the ramp-invariant filter\n"
    "(Smallwood), over the record and one period of the lowest frequency of zeros.\n"
    "A file without a usable sample period gives durations, velocity changes and\n"
    "heights of 0, shapes unknown and no spectrum.\n\n"
    "Peak data (one event per row), per axis: the events (rows with a non-zero\n"
    "peak), the largest positive and negative peaks, and the events by their\n"
    "larger magnitude in tenths of the range, with one bin for the range and\n"
    "beyond. Each row's drop height is an estimate: per axis the larger-magnitude\n"
    "peak (the positive one when both are equal) with its own pulse width taken\n"
    "as a half-sine, velocity change 2 |peak| g width / pi; negative widths count\n"
    "as 0. Percentiles of the estimated heights of every row interpolate linearly\n"
    "between the sorted heights (the value at position p/100 (n - 1), counted from\n"
    "0, as numpy's default); all 0 for a file without rows.\n\n"
    "Options:\n"
    "  FILE               the data file (CSV, Shift-JIS).\n"
    "                     Example: kvtool analyze KV63W07-2014031502-01.CSV\n"
    "  --record N         wave data: only record N (from 1); peak data: list only\n"
    "                     row N's estimate beside the whole file's statistics.\n"
    "                     Example: --record 3\n"
    "  --restitution E    the coefficient of restitution (rebound speed / impact\n"
    "                     speed), 0 to 0.95. Default: the INI's [Analysis]\n"
    "                     Restitution, else 0.5. Example: --restitution 0.3\n"
    "  --q Q              the quality factor of the spectrum, 2 to 50 (damping\n"
    "                     1/2Q). Default: the INI's [Analysis] Q, else 10.\n"
    "                     Example: --q 10\n"
    "  --srs              wave data: add each axis's spectrum (ignored for peak\n"
    "                     data). Example: --srs\n"
    "  --events           peak data: list every row's estimates (ignored for wave\n"
    "                     data, whose records are always listed). Example: --events\n"
    "  --json             print one JSON object instead of the summary.\n"
    "                     Example: kvtool analyze data.CSV --json --srs\n\n"
    "JSON keys (numbers as plain JSON numbers, in full):\n"
    "  file, model (the model code), kind (\"wave\" or \"peak\"), samplePeriodMs (wave;\n"
    "  ms, null when the file states none), rangeG (G), restitution, q.\n"
    "  Wave: records: [{record (from 1), time (local, \"2014-03-05T09:12:48\"),\n"
    "  axes: [{axis (\"X\", \"Y\", \"Z\"), peakG (G, signed), durationMs (ms), deltaV\n"
    "  (m/s), shape (\"sawtooth\", \"half-sine\", \"trapezoid\", \"unknown\"), clipped\n"
    "  (true or false)}], deltaV (m/s, all axes), dropHeight (m, for restitution)}],\n"
    "  with --srs also srs: {frequencies (Hz), X, Y, Z (G, one per frequency)} and\n"
    "  pvss of the same form (m/s, pseudo-velocity SRS g / 2 pi f).\n"
    "  Peak: axes: [{axis, events, maxPositive and maxNegative: {g (G), record,\n"
    "  time} (g 0, record and time null when the axis has no such peak), histogram:\n"
    "  {edges (G: the lower edge of each bin; bin i counts events from edges[i] up\n"
    "  to below edges[i+1], the last bin the range and beyond), counts}}],\n"
    "  dropHeightPercentiles: {\"50\", \"90\", \"99\", \"max\"} (m, estimates), and with\n"
    "  --events records: [{record, time, deltaV (m/s), dropHeight (m), estimates}].\n\n"
    "Exit status 1 when the file does not load; 2 for a record the file does not\n"
    "hold, E outside 0 to 0.95 or Q outside 2 to 50.\n\n"
    "Example:\n"
    "  kvtool analyze KV63W07-2014031502-01.CSV --record 1 --srs\n";

}  // namespace kv::tool
