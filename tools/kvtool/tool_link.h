#pragma once

#include <memory>
#include <string>

#include "base/clock.h"
#include "console_host.h"
#include "link/link.h"
#include "link/protocol_trace.h"
#include "link/termios_device.h"
#include "link/tracing_device.h"
#include "settings/pc_settings.h"
#include "tool_options.h"

namespace kv::tool {

// The PC settings of a run: the --ini file, or else those of the ＫＶマネージャー
// installed beside kvtool (its INI file, or ~/.config/kvmanager/kvmanager.ini
// when that folder is read-only, as the program itself decides). A missing file
// gives the defaults.
void loadToolSettings(const ToolOptions& options, PcSettings& settings);

// The limits a run judges by: the Limits section of --limits FILE, else that
// of the settings. False with the reason (the file, the key and what is wrong)
// when they cannot be used: a mistyped limit never passes a trip.
bool loadToolLimits(const ToolOptions& options, const PcSettings& settings, Limits& limits,
                    std::string& error);

// Which line a run talks on: --port COMn (1 to 8, its device from the
// settings) or --port DEV (a device path), else the settings' port; --baud or
// the settings' baud rate.
struct PortChoice {
    int portNumber = 1;
    int baudRate = 0;
    std::string devicePath;
    std::string traceFile;  // --trace: the protocol trace of the run; empty = none
};
// False with the reason when --port names a COM port outside 1 to 8.
bool choosePort(const ToolOptions& options, const PcSettings& settings, PortChoice& port,
                std::string& error);

// Both of the above for a subcommand that talks to a recorder; on a usage
// error prints it and returns false.
bool loadSettingsAndPort(const ToolOptions& options, PcSettings& settings, PortChoice& port);
// Prints "kvtool: " and the reason on stderr; returns the usage exit status.
int usageError(const std::string& reason);

// The recorder link of a kvtool run: the real serial device and clock, and a
// console host that writes message boxes to stderr. With a trace file, the
// line passes through the protocol trace.
class ToolLink {
  public:
    explicit ToolLink(const PortChoice& port);
    ToolLink(const ToolLink&) = delete;
    ToolLink& operator=(const ToolLink&) = delete;

    // False when the trace file could not be created; the reason is on stderr.
    bool ready() const { return ready_; }
    Link& link() { return link_; }
    ConsoleHost& host() { return host_; }
    int portNumber() const { return port_.portNumber; }
    int baudRate() const { return port_.baudRate; }

  private:
    PortChoice port_;
    RealClock clock_;
    TermiosDevice device_;
    ProtocolTrace trace_;
    TracingDevice traced_;
    ConsoleHost host_;
    Link link_;
    bool ready_ = true;
};

}  // namespace kv::tool
