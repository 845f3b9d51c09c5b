// kvtool: the recorder and file operations of the program, from a shell.
#include <cstdio>
#include <cstring>
#include <string>

#include "analysis/limits.h"
#include "tool_options.h"
#include "tool_output.h"

namespace {

using namespace kv::tool;

struct Subcommand {
    const char* name;
    int (*run)(const ToolOptions&);
    const char* summary;
    const char* help;  // usage, every option, an example
};

// One line per subcommand.
const Subcommand kSubcommands[] = {
    {"info", runInfo, "read the recorder's status, measurement index and clock", kInfoHelp},
    {"download", runDownload, "download measurements into data files", kDownloadHelp},
    {"show", runShow, "print what a data file holds", kShowHelp},
    {"list", runList, "print the list window's rows of a data file", kListHelp},
    {"monitor", runMonitor, "print the live telegrams of the recorder", kMonitorHelp},
    {"analyze", runAnalyze, "shock analysis: velocity change, drop height, pulse shape, spectrum",
     kAnalyzeHelp},
#ifdef KV_TOOL_DRAW
    {"plot", runPlot, "draw a data file as the graph window does, to PNG, SVG or PDF", kPlotHelp},
    {"print", runPrint, "print the list of a data file into a PDF, as the list window does",
     kPrintHelp},
#endif
    {"summary", runSummary, "one row per data file of folders: CSV or JSON Lines with verdicts",
     kSummaryHelp},
#ifdef KV_TOOL_DRAW
    {"report", runReport, "a trip report in PDF: the verdict against limits, tables, pictures",
     kReportHelp},
#endif
    {"ports", runPorts, "list the serial devices; find the recorder's", kPortsHelp},
};

const char* const kCommonHelp =
    "Options of every command that talks to a recorder (before or after the command):\n"
    "  --port DEV|COMn  the serial line: a device path such as /dev/ttyUSB0 or\n"
    "                   /dev/serial/by-id/usb-FTDI_...-port0, or COM1 to COM8 as the\n"
    "                   INI file maps them (section \"com\", keys Device1 to Device8;\n"
    "                   without one, COMn is /dev/ttyS(n-1)). Default: the INI's Port.\n"
    "                   Example: --port /dev/ttyUSB0, --port COM2\n"
    "  --baud N         the baud rate. Default: the INI's Baud (38400).\n"
    "                   Example: --baud 38400\n"
    "  --ini FILE       the settings file. Default: that of the ＫＶマネージャー installed\n"
    "                   beside kvtool, or ~/.config/kvmanager/kvmanager.ini when that\n"
    "                   folder is read-only (a system-wide installation).\n"
    "                   Example: --ini ~/kv/kvmanager.ini\n"
    "  --trace FILE     record the line in FILE for support: every frame sent and\n"
    "                   every byte received with its time, the attempts, time-outs\n"
    "                   and line resets, as JSON Lines (kvsim --replay FILE plays\n"
    "                   the recorder of it again). Only the line's bytes and the\n"
    "                   program's own settings go into it.\n"
    "                   Example: --trace /tmp/download.jsonl\n";

const char* const kExitHelp =
    "Exit status: 0 success, 1 the operation failed (the reason on stderr),\n"
    "2 usage error.\n";

// The limits section, key by key from the one table the program reads it by.
void printLimitsHelp() {
    std::printf(
        "Limits (判定基準) of the report and summary commands, in section [%s] of the\n"
        "INI file (or of --limits FILE); an empty or missing key is not set. An axis\n"
        "has both levels or none, its alarm level at least its warning level; the\n"
        "damage boundary has both values or none (an event is damaging when it reaches\n"
        "both). Single-axis files are judged by the X levels.\n",
        kv::kLimitsSection);
    for (const kv::LimitFieldSpec& spec : kv::limitFieldSpecs())
        std::printf("  %-13s %-4s %s (0 < value <= %g)\n", spec.iniKey, spec.unit, spec.label,
                    spec.maximum);
    std::printf("  Example: [%s] WarningZ=30 AlarmZ=50 DropHeight=80 (one key a line)\n",
                kv::kLimitsSection);
}

void printTopHelp() {
    std::printf(
        "kvtool: the recorder and data-file operations of ＫＶマネージャー, from a shell.\n\n"
        "Usage: kvtool [--port DEV|COMn] [--baud N] [--ini FILE] [--trace FILE]\n"
        "              [--limits FILE] COMMAND [OPTIONS]\n"
        "       kvtool COMMAND --help\n"
        "       kvtool --help | --version\n\n"
        "Commands:\n");
    for (const Subcommand& s : kSubcommands) std::printf("  %-10s %s\n", s.name, s.summary);
    std::printf(
        "\n%s  -h, --help       this text; after a command, that command's help\n"
        "  --limits FILE    judge by the [Limits] section of another INI file.\n"
        "                   Example: --limits ~/kv/fragile.ini\n"
        "  --version        the version\n\n%s\n"
        "Examples:\n"
        "  kvtool ports --probe\n"
        "  kvtool --port /dev/ttyUSB0 info\n"
        "  kvtool download --all --dir ~/KV-DATAS\n"
        "  kvtool download --help\n\n",
        kCommonHelp, kExitHelp);
    printLimitsHelp();
}

bool isHelp(const std::string& word) {
    return word == "--help" || word == "-h";
}

int runCommand(int argc, char** argv) {
    std::string error;
    auto options = parseToolOptions(argc, argv, error);
    if (!options) {
        std::fprintf(stderr, "kvtool: %s\nTry 'kvtool --help'.\n", error.c_str());
        return kExitUsage;
    }
    const std::string& command = options->args.front();
    if (isHelp(command)) {
        printTopHelp();
        return kExitOk;
    }
    if (command == "--version") {
        std::printf("kvtool %s\n", KV_VERSION);
        return kExitOk;
    }
    for (const Subcommand& s : kSubcommands) {
        if (command != s.name) continue;
        for (size_t i = 1; i < options->args.size(); ++i) {
            if (!isHelp(options->args[i])) continue;
            std::printf("%s\n%s\n%s", s.help, kCommonHelp, kExitHelp);
            return kExitOk;
        }
        return s.run(*options);
    }
    std::fprintf(stderr, "kvtool: unknown command '%s'\nTry 'kvtool --help'.\n", command.c_str());
    return kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
    prepareProcess();
    return finishOutput(runCommand(argc, argv));
}
