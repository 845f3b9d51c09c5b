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
    std::vector<std::string> args;  // subcommand name first
};

// Exit statuses.
constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// Parses argv; nullopt (with the reason in error) on a usage error.
std::optional<ToolOptions> parseToolOptions(int argc, char** argv, std::string& error);

int runInfo(const ToolOptions& options);
int runDownload(const ToolOptions& options);
int runShow(const ToolOptions& options);
int runList(const ToolOptions& options);
int runMonitor(const ToolOptions& options);
int runPlot(const ToolOptions& options);  // plot and print: only in a build with the windows
int runPrint(const ToolOptions& options);

}  // namespace kv::tool
