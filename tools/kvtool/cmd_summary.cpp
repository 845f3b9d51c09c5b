// kvtool summary PATH... [--csv | --jsonl] [--limits INI] [--jobs N]: one row
// per data file of whole folder trees, read in parallel, written in the order
// of the paths.
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "analysis/file_summary.h"
#include "summary_output.h"
#include "tool_link.h"
#include "tool_options.h"
#include "tool_output.h"

namespace kv::tool {
namespace {

namespace fs = std::filesystem;

// Each job holds two data sets of 12 MB: beyond this many a machine runs out
// of memory before it runs out of cores.
constexpr int kMaxJobs = 64;

struct SummaryRequest {
    std::vector<std::string> paths;
    SummaryFormat format = SummaryFormat::Csv;
    int jobs = 0;  // 0: one per core
};

bool parseSummaryRequest(const ToolOptions& options, SummaryRequest& out, std::string& error) {
    const auto& args = options.args;
    bool formatGiven = false;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--csv" || a == "--jsonl") {
            const SummaryFormat format =
                a == "--csv" ? SummaryFormat::Csv : SummaryFormat::JsonLines;
            if (formatGiven && format != out.format) {
                error = "summary takes one of --csv and --jsonl";
                return false;
            }
            out.format = format;
            formatGiven = true;
        } else if (a == "--jobs") {
            const std::string text = i + 1 < args.size() ? args[++i] : std::string();
            int n = 0;
            const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
            if (text.empty() || ec != std::errc() || end != text.data() + text.size() || n < 1 ||
                n > kMaxJobs) {
                error = "--jobs needs a number from 1 to " + std::to_string(kMaxJobs);
                return false;
            }
            out.jobs = n;
        } else if (a.size() > 1 && a[0] == '-') {
            error = "summary does not take '" + a + "'";
            return false;
        } else {
            out.paths.push_back(a);
        }
    }
    if (out.paths.empty()) {
        error = "summary needs at least one PATH (a data file or a folder)";
        return false;
    }
    return true;
}

bool hasCsvExtension(const fs::path& p) {
    std::string ext = p.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".csv";
}

// What the walk found: files to read (a file named on the command line is
// read whatever its name), paths that failed before any reading, and files
// passed over for their name.
struct Walk {
    std::vector<std::string> files;
    std::vector<std::pair<std::string, std::string>> failures;  // path, reason
    int skipped = 0;
};

void walkFolder(const std::string& root, Walk& walk) {
    std::error_code ec;
    // Links to folders are not followed: a link back up would never end.
    fs::recursive_directory_iterator it(root, fs::directory_options::none, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        const auto status = it->status(typeError);  // a link to a file counts as the file
        if (fs::is_directory(it->symlink_status(typeError))) continue;
        if (fs::is_regular_file(status) && hasCsvExtension(it->path()))
            walk.files.push_back(it->path().string());
        else
            ++walk.skipped;
    }
    if (ec) {
        const std::string where = it != end ? it->path().string() : root;
        walk.failures.push_back({where, "フォルダを読めません: " + ec.message()});
    }
}

Walk walkPaths(const std::vector<std::string>& paths) {
    Walk walk;
    for (const std::string& path : paths) {
        std::error_code ec;
        const auto status = fs::status(path, ec);
        if (fs::is_directory(status))
            walkFolder(path, walk);
        else if (fs::exists(status))
            walk.files.push_back(path);
        else
            walk.failures.push_back({path, "見つかりません"});
    }
    std::sort(walk.files.begin(), walk.files.end());
    walk.files.erase(std::unique(walk.files.begin(), walk.files.end()), walk.files.end());
    return walk;
}

}  // namespace

int runSummary(const ToolOptions& options) {
    SummaryRequest request;
    std::string error;
    if (!parseSummaryRequest(options, request, error)) return usageError(error);

    PcSettings settings;
    loadToolSettings(options, settings);
    Limits limits;
    if (!loadToolLimits(options, settings, limits, error)) {
        std::fprintf(stderr, "kvtool: %s\n", error.c_str());
        return kExitFailed;
    }
    const int jobs =
        request.jobs > 0
            ? request.jobs
            : std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, kMaxJobs);

    Walk walk = walkPaths(request.paths);
    int failed = 0, judged = 0;
    bool written = writeOutput(summaryHeader(request.format));
    // A path that failed before reading gets its row among the others.
    FileSummary unreadable;
    auto emitFailuresBefore = [&](const std::string* path) {
        while (!walk.failures.empty() && (!path || walk.failures.front().first < *path)) {
            unreadable.error = walk.failures.front().second;
            written =
                writeOutput(summaryLine(request.format, walk.failures.front().first, unreadable)) &&
                written;
            ++failed;
            walk.failures.erase(walk.failures.begin());
        }
    };
    std::sort(walk.failures.begin(), walk.failures.end());
    const bool ran =
        summariseFiles(walk.files, jobs, limits, settings.analysisOptions(),
                       [&](size_t index, const FileSummary& s) {
                           const std::string& path = walk.files[index];
                           emitFailuresBefore(&path);
                           if (s.outcome == FileSummary::Outcome::NotADataFile) {
                               ++walk.skipped;
                               return;
                           }
                           (s.outcome == FileSummary::Outcome::Judged ? judged : failed) += 1;
                           written = writeOutput(summaryLine(request.format, path, s)) && written;
                       });
    if (!ran) {
        std::fprintf(stderr, "kvtool: not enough memory for the files of one job\n");
        return kExitFailed;
    }
    emitFailuresBefore(nullptr);
    if (!written) return kExitFailed;  // the reason is on stderr
    std::fprintf(stderr, "kvtool: %d data files, %d failed, %d other files skipped\n",
                 judged + failed, failed, walk.skipped);
    return failed > 0 ? kExitFailed : kExitOk;
}

const char* const kSummaryHelp =
    "Usage: kvtool summary PATH... [--csv | --jsonl] [--limits INI] [--jobs N]\n\n"
    "One row per data file in the given files and folders (folders recursively;\n"
    "in folders only files named *.csv in any case are read, and links to folders\n"
    "are not followed), sorted by path, for DuckDB, pandas or Spark. Files that are\n"
    "no data file are skipped and counted; a data file that does not load gets a\n"
    "row with the reason in the error column, and the run goes on. The counts go\n"
    "to stderr at the end.\n\n"
    "Columns (CSV header / JSON keys; UTF-8, '.' as the decimal mark, numbers in\n"
    "full, empty or null where there is no value):\n"
    "  path, model (the model code), kind (peak or wave), serial_number,\n"
    "  device_number, start, end (ISO 8601 local time), events (rows or records),\n"
    "  x_max_abs_g, x_events_at_warning, x_events_at_alarm and the same for y and z\n"
    "  (G; empty for the axes a single-axis file lacks), max_delta_v_m_per_s (all\n"
    "  axes of an event), delta_v_estimated (true for peak files: each pulse taken\n"
    "  as a half-sine), max_drop_height_m (m), restitution (what the heights\n"
    "  assume), verdict (PASS, WARN or FAIL; empty without limits), sha256 (of the\n"
    "  file's bytes), error.\n\n"
    "Options:\n"
    "  PATH        a data file or a folder. Example: kvtool summary ~/KV-DATAS\n"
    "  --csv       CSV with one header line (the default). Example: --csv\n"
    "  --jsonl     JSON Lines: one object per file. Example: --jsonl\n"
    "  --limits INI  judge by the [Limits] section of this INI file instead of\n"
    "              the settings' (see kvtool --help). Example: --limits fragile.ini\n"
    "  --jobs N    files read at once, 1 to 64 (default: one per core; each job\n"
    "              holds about 24 MB). Example: --jobs 2\n\n"
    "Exit status 1 when any file failed to load (after every row is written) or\n"
    "the limits cannot be used.\n\n"
    "Examples:\n"
    "  kvtool summary ~/KV-DATAS > summary.csv\n"
    "  duckdb -c \"SELECT verdict, count(*) FROM read_csv('summary.csv') GROUP BY 1\"\n"
    "  kvtool summary --jsonl --jobs 4 trips/ > summary.jsonl\n";

}  // namespace kv::tool
