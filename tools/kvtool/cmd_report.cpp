// kvtool report FILE... --out REPORT.pdf [--limits INI] [--top N] [--exit-code]:
// the trip report of data files against the limits, as one A4 PDF.
#include <QByteArray>
#include <charconv>
#include <cstdio>
#include <string>
#include <vector>

#include "analysis/file_summary.h"
#include "base/clock.h"
#include "base/version.h"
#include "list/qt_output_file.h"
#include "offscreen_gui.h"
#include "settings/pc_settings.h"
#include "tool_link.h"
#include "tool_options.h"
#include "tool_output.h"
#include "viewer/trip_report.h"

namespace kv::tool {
namespace {

constexpr int kExitFailingTrip = 3;
constexpr int kMaxTop = 500;

struct ReportRequest {
    std::vector<std::string> files;
    std::string out;
    int top = 20;
    bool exitCode = false;
};

bool parseReportRequest(const ToolOptions& options, ReportRequest& out, std::string& error) {
    const auto& args = options.args;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--out" || a == "--top") {
            if (i + 1 >= args.size()) {
                error = a + " needs a value";
                return false;
            }
            const std::string& value = args[++i];
            if (a == "--out") {
                out.out = value;
                continue;
            }
            int n = 0;
            const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), n);
            if (value.empty() || ec != std::errc() || end != value.data() + value.size() || n < 0 ||
                n > kMaxTop) {
                error = "--top needs a number from 0 to " + std::to_string(kMaxTop);
                return false;
            }
            out.top = n;
        } else if (a == "--exit-code") {
            out.exitCode = true;
        } else if (a.size() > 1 && a[0] == '-') {
            error = "report does not take '" + a + "'";
            return false;
        } else {
            out.files.push_back(a);
        }
    }
    if (out.files.empty()) {
        error = "report needs at least one FILE";
        return false;
    }
    if (out.out.empty()) {
        error = "report needs --out REPORT.pdf";
        return false;
    }
    return true;
}

// The verdicts in one line for the summary page.
std::string verdictCounts(const std::vector<FileSummary>& files) {
    int counts[4] = {};
    for (const FileSummary& f : files) ++counts[static_cast<int>(f.judgement.verdict)];
    return std::string("合格 ") + std::to_string(counts[1]) + " 件、注意 " +
           std::to_string(counts[2]) + " 件、不合格 " + std::to_string(counts[3]) +
           " 件、判定なし " + std::to_string(counts[0]) + " 件";
}

}  // namespace

int runReport(const ToolOptions& options) {
    ReportRequest request;
    std::string error;
    if (!parseReportRequest(options, request, error)) return usageError(error);
    if (const int refused = refuseClashingOutput(request.out, request.files)) return refused;

    PcSettings settings;
    loadToolSettings(options, settings);
    ReportOptions report;
    if (!loadToolLimits(options, settings, report.limits, error)) {
        std::fprintf(stderr, "kvtool: %s\n", error.c_str());
        return kExitFailed;
    }
    report.analysis = settings.analysisOptions();
    report.colors = settings.graphColors;
    report.programVersion = programVersion();
    report.madeAt = localDateTimeNow();
    report.topEvents = request.top;

    // Every file is read and judged before anything is drawn: one that does
    // not load ends the run without a report.
    std::vector<FileSummary> summaries;
    {
        SummaryWorker worker(report.limits, report.analysis);
        for (const std::string& path : request.files) {
            summaries.push_back(worker.summarise(path));
            if (summaries.back().outcome != FileSummary::Outcome::Judged) {
                const std::string& why = summaries.back().error;
                std::fprintf(stderr, "kvtool: %s: %s\n", path.c_str(),
                             why.empty() ? "no data file" : why.c_str());
                return kExitFailed;
            }
        }
    }

    OffscreenGui gui;
    const std::string title = request.files.size() == 1
                                  ? "衝撃記録 判定レポート " + fileNameOf(request.files.front())
                                  : "衝撃記録 判定レポート";
    TripReportPdf pdf(report, title);
    if (request.files.size() > 1)
        pdf.pages().drawSummary(
            summaryTable(request.files, summaries, report.limits),
            {std::to_string(request.files.size()) + " ファイル: " + verdictCounts(summaries)});
    bool anyFails = false;
    SummaryWorker worker(report.limits, report.analysis);
    for (size_t i = 0; i < request.files.size(); ++i) {
        const std::string& path = request.files[i];
        // Read again, one at a time: a report of many files never holds them all.
        const FileSummary again = worker.summarise(path);
        if (again.outcome != FileSummary::Outcome::Judged || again.sha256 != summaries[i].sha256) {
            std::fprintf(stderr, "kvtool: %s changed while the report was made\n", path.c_str());
            return kExitFailed;
        }
        const ReportFile file{path, &worker.data(), &worker.identity(), again.sha256};
        anyFails = pdf.pages().drawFile(file).verdict == Verdict::Fail || anyFails;
    }
    QByteArray bytes;
    if (!pdf.finish(bytes)) {
        std::fprintf(stderr, "kvtool: the report could not be made\n");
        return kExitFailed;
    }
    if (!writeQtOutputFile(request.out, bytes, error)) {
        std::fprintf(stderr, "kvtool: %s\n", error.c_str());
        return kExitFailed;
    }
    return request.exitCode && anyFails ? kExitFailingTrip : kExitOk;
}

const char* const kReportHelp =
    "Usage: kvtool report FILE... --out REPORT.pdf [--limits INI] [--top N]\n"
    "                              [--exit-code]\n\n"
    "The trip report of data files against the limits (see kvtool --help for the\n"
    "[Limits] section), as one A4 PDF whose text can be searched and copied.\n"
    "Per file: the verdict (合格 / 注意 / 不合格, or 判定なし without limits) with\n"
    "its reasons, the recorder and the file with its SHA-256, the limits used, per\n"
    "axis the events, those at or above the warning and the alarm level, the\n"
    "largest peaks and when, the largest velocity change and drop height; the\n"
    "histogram of the events and the whole trip's peaks with the levels drawn as\n"
    "lines; then the events that reached a limit, largest first (wave files each\n"
    "with its waveform, its shock response spectrum and its values; peak files as\n"
    "a table, their velocity changes and heights estimated from each pulse as a\n"
    "half-sine). Several files give one report with a table of all of them first.\n"
    "The last block names the program, the analysis settings (restitution e and\n"
    "Q, from the INI's [Analysis] section) and when the report was made.\n\n"
    "Options:\n"
    "  FILE           a data file (CSV, Shift-JIS). Example: KV53P07-2014031501-01.CSV\n"
    "  --out FILE     the PDF to write; it appears only when it was written\n"
    "                 completely, and never replaces a FILE or another data file.\n"
    "                 Example: --out trip.pdf\n"
    "  --limits INI   judge by the [Limits] section of this INI file instead of the\n"
    "                 settings'. Example: --limits fragile.ini\n"
    "  --top N        events listed per file, largest first, 0 to 500 (default 20).\n"
    "                 Example: --top 5\n"
    "  --exit-code    exit 3 when any file fails its limits.\n"
    "                 Example: kvtool report *.CSV --out all.pdf --exit-code\n\n"
    "Exit status: 0 the report was written (with --exit-code: and no file failed),\n"
    "3 with --exit-code a file failed its limits, 1 a file does not load, the\n"
    "limits cannot be used or the report cannot be written (no PDF is left), 2\n"
    "usage error (also an --out that names a FILE or a data file).\n\n"
    "Example:\n"
    "  kvtool --limits fragile.ini report KV63W07-2014031502-01.CSV --out trip.pdf\n";

}  // namespace kv::tool
