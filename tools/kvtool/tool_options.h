#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kv::tool {

// Options shared by the subcommands, and the words left for the subcommand.
struct ToolOptions {
    std::string port;               // DEV or COMn; empty = the INI's port
    int baud = 0;                   // 0 = the INI's baud rate
    std::string ini;                // empty = the program's own INI file
    std::string trace;              // a protocol trace of the line goes here; empty = none
    std::string limits;             // an INI file whose Limits section to judge by
    std::vector<std::string> args;  // subcommand name first
};

// Exit statuses.
constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// Whether a file name ends in `extension` (".pdf"), in any case.
bool hasExtension(const std::string& path, const std::string& extension);

// Parses argv; nullopt (with the reason in error) on a usage error.
std::optional<ToolOptions> parseToolOptions(int argc, char** argv, std::string& error);

// Each subcommand: what runs it, and its --help text (usage, what it does,
// every option with an example).
int runInfo(const ToolOptions& options);
extern const char* const kInfoHelp;
int runDownload(const ToolOptions& options);
extern const char* const kDownloadHelp;
int runShow(const ToolOptions& options);
extern const char* const kShowHelp;
int runPorts(const ToolOptions& options);
extern const char* const kPortsHelp;
int runList(const ToolOptions& options);
extern const char* const kListHelp;
int runMonitor(const ToolOptions& options);
extern const char* const kMonitorHelp;
int runAnalyze(const ToolOptions& options);
extern const char* const kAnalyzeHelp;
int runSummary(const ToolOptions& options);
extern const char* const kSummaryHelp;
// plot, print and report: only in a build with the windows
int runPlot(const ToolOptions& options);
extern const char* const kPlotHelp;
int runPrint(const ToolOptions& options);
extern const char* const kPrintHelp;
int runReport(const ToolOptions& options);
extern const char* const kReportHelp;

}  // namespace kv::tool
