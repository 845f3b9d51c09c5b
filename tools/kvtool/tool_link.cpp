#include "tool_link.h"

#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tool_output.h"

#include "settings/limits_ini.h"

namespace kv::tool {
namespace {

std::string ownFolder() {
    char path[4096];
    ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return "./";
    std::string exe(path, static_cast<size_t>(n));
    return exe.substr(0, exe.find_last_of('/') + 1);
}

// "COM3" (any case) gives 3; anything else is no COM name.
bool comNumber(const std::string& text, long& n) {
    if (text.size() < 4 || std::toupper(static_cast<unsigned char>(text[0])) != 'C' ||
        std::toupper(static_cast<unsigned char>(text[1])) != 'O' ||
        std::toupper(static_cast<unsigned char>(text[2])) != 'M')
        return false;
    n = 0;
    for (size_t i = 3; i < text.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i])) || n > 1000) return false;
        n = n * 10 + (text[i] - '0');
    }
    return true;
}

}  // namespace

bool loadToolLimits(const ToolOptions& options, const PcSettings& settings, Limits& limits,
                    std::string& error) {
    if (!options.limits.empty()) return readLimitsFile(options.limits, limits, error);
    if (auto problem = settings.limits(limits)) {
        error = limitsProblemText(settings.iniFilePath(), *problem);
        return false;
    }
    return true;
}

void loadToolSettings(const ToolOptions& options, PcSettings& settings) {
    if (!options.ini.empty()) {
        settings.setIniFilePath(options.ini);
    } else {
        const char* home = std::getenv("HOME");
        settings.locateForExecutable(ownFolder() + "kvmanager", home ? home : "");
    }
    settings.load();
    if (!settings.iniProblem().empty())
        std::fprintf(stderr, "kvtool: %s; the default settings are used\n",
                     settings.iniProblem().c_str());
}

bool choosePort(const ToolOptions& options, const PcSettings& settings, PortChoice& port,
                std::string& error) {
    port.baudRate = options.baud > 0 ? options.baud : settings.baudRate();
    long n = 0;
    if (options.port.empty()) {
        port.portNumber = settings.comPort();
    } else if (comNumber(options.port, n)) {
        if (n < 1 || n > 8) {
            error = "--port COMn takes COM1 to COM8";
            return false;
        }
        port.portNumber = static_cast<int>(n);
    } else {
        port.portNumber = settings.comPort();
        port.devicePath = options.port;
        return true;
    }
    port.devicePath = settings.devicePath(port.portNumber);
    return true;
}

int usageError(const std::string& reason) {
    std::fprintf(stderr, "kvtool: %s\n", reason.c_str());
    return kExitUsage;
}

bool loadSettingsAndPort(const ToolOptions& options, PcSettings& settings, PortChoice& port) {
    loadToolSettings(options, settings);
    std::string error;
    port.traceFile = options.trace;
    // The trace replaces its file: never the settings read, never a data file.
    if (!options.trace.empty() &&
        refuseClashingOutput(options.trace, options.ini.empty()
                                                ? std::vector<std::string>{}
                                                : std::vector<std::string>{options.ini}) != kExitOk)
        return false;
    if (choosePort(options, settings, port, error)) return true;
    std::fprintf(stderr, "kvtool: %s\n", error.c_str());
    return false;
}

ToolLink::ToolLink(const PortChoice& port)
    : port_(port),
      device_(clock_),
      trace_(clock_, "kvtool"),
      traced_(device_, trace_),
      link_{port.traceFile.empty() ? static_cast<SerialDevice&>(device_) : traced_, clock_, host_,
            [this](int) { return port_.devicePath; }} {
    if (port.traceFile.empty()) return;
    int error = 0;
    if (trace_.writeTo(port.traceFile, error)) {
        link_.trace = &trace_;
        return;
    }
    std::fprintf(stderr, "kvtool: cannot write the trace %s: %s\n", port.traceFile.c_str(),
                 std::strerror(error));
    ready_ = false;
}

}  // namespace kv::tool
