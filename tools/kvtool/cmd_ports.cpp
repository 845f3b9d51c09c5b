// kvtool ports [--json] [--probe] [DEV...]: the machine's serial devices and,
// with --probe, which of them has a recorder on it.
#include "cmd_ports.h"

#include <cstdio>

#include "json_writer.h"
#include "link/port_messages.h"
#include "tool_link.h"
#include "tool_options.h"
#include "tool_output.h"

namespace kv::tool {
namespace {

const char* outcomeName(PortProbe::Outcome o) {
    switch (o) {
        case PortProbe::Outcome::Answered:
            return "answered";
        case PortProbe::Outcome::Silent:
            return "silent";
        case PortProbe::Outcome::Busy:
            return "busy";
        case PortProbe::Outcome::Console:
            return "console";
        case PortProbe::Outcome::Unopened:
            break;
    }
    return "unopened";
}

std::string deviceText(const SerialPortInfo& port) {
    std::string text = port.path;
    if (!port.target.empty()) text += " -> " + port.target;
    if (!port.driver.empty()) text += " (" + port.driver + ")";
    return text;
}

}  // namespace

bool parsePortsRequest(const std::vector<std::string>& args, PortsRequest& request,
                       std::string& error) {
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--json") {
            request.json = true;
        } else if (a == "--probe") {
            request.probe = true;
        } else if (!a.empty() && a[0] != '-') {
            request.devices.push_back(a);
        } else {
            error = "ports: unexpected '" + a + "'";
            return false;
        }
    }
    return true;
}

std::string portsText(const std::vector<SerialPortInfo>& ports,
                      const std::vector<PortProbe>& probes) {
    std::string out;
    for (size_t i = 0; i < ports.size(); ++i) {
        out += deviceText(ports[i]);
        if (i < probes.size()) out += ": " + probeFindingText(probes[i]);
        out += "\n";
    }
    return out;
}

std::string portsJson(const std::vector<SerialPortInfo>& ports,
                      const std::vector<PortProbe>& probes) {
    JsonWriter j;
    j.beginArray();
    for (size_t i = 0; i < ports.size(); ++i) {
        j.beginObject();
        j.key("path");
        j.string(ports[i].path);
        j.key("target");
        ports[i].target.empty() ? j.null() : j.string(ports[i].target);
        j.key("driver");
        ports[i].driver.empty() ? j.null() : j.string(ports[i].driver);
        if (i < probes.size()) {
            const PortProbe& p = probes[i];
            j.key("probe");
            j.beginObject();
            j.key("result");
            j.string(outcomeName(p.outcome));
            if (p.outcome == PortProbe::Outcome::Answered) {
                j.key("model");
                j.integer(p.model);
                j.key("generation");
                j.string(p.firstGeneration ? "first" : "later");
                j.key("serialNumber");
                p.serialNumber >= 0 ? j.integer(p.serialNumber) : j.null();
            }
            if (p.outcome == PortProbe::Outcome::Unopened) {
                j.key("error");
                j.integer(p.error);
                j.key("message");
                j.string(systemErrorText(static_cast<int>(p.error)));
            }
            j.endObject();
        }
        j.endObject();
    }
    j.endArray();
    return j.text() + "\n";
}

int runPorts(const ToolOptions& options) {
    PortsRequest request;
    std::string error;
    if (!parsePortsRequest(options.args, request, error)) return usageError(error);
    const DeviceTree tree = deviceTreeFromEnvironment();
    std::vector<SerialPortInfo> ports;
    if (request.devices.empty()) {
        ports = listSerialPorts(tree);
    } else {
        for (const std::string& d : request.devices) {
            const std::string target = resolvedDevice(d);
            ports.push_back({d, target != d ? target : "", ""});
        }
    }

    std::vector<PortProbe> probes;
    if (request.probe) {
        PcSettings settings;
        PortChoice port;
        if (!loadSettingsAndPort(options, settings, port)) return kExitUsage;
        ToolLink line(port);
        if (!line.ready()) return kExitFailed;
        line.host().setProgressTextsShown(true);
        std::vector<std::string> paths;
        for (const SerialPortInfo& p : ports) paths.push_back(p.path);
        probes = probePorts(line.link(), paths, port.baudRate, tree);
    }
    const std::string out = request.json ? portsJson(ports, probes) : portsText(ports, probes);
    if (!writeOutput(out)) return kExitFailed;
    if (!request.probe) return kExitOk;
    for (const PortProbe& p : probes)
        if (p.outcome == PortProbe::Outcome::Answered) return kExitOk;
    return kExitFailed;
}

const char* const kPortsHelp =
    "Usage: kvtool [--baud N] [--ini FILE] ports [--json] [--probe] [DEV...]\n\n"
    "Lists the serial devices of this machine: the /dev/serial/by-id links (names\n"
    "that stay the same when an adapter is plugged into another socket) with the\n"
    "device each leads to, then /dev/ttyUSB*, /dev/ttyACM*, and the /dev/ttyS*\n"
    "ports that have a UART behind them. The system console is never listed.\n\n"
    "Options:\n"
    "  --json   print one JSON array: path, target, driver (and probe) per device.\n"
    "           Example: kvtool ports --json\n"
    "  --probe  ask each device for a recorder at the configured baud rate (both\n"
    "           generations' identity commands, three attempts each: up to 10 s\n"
    "           for a device that does not answer) and print the model and serial\n"
    "           number of each recorder found. A port that another program holds is\n"
    "           reported busy and gets nothing sent. Exit status 1 when no recorder\n"
    "           answers.\n"
    "           Example: kvtool ports --probe\n"
    "  DEV...   only these devices instead of the machine's list.\n"
    "           Example: kvtool --baud 38400 ports --probe /dev/ttyUSB0 /dev/ttyUSB1\n\n"
    "Environment:\n"
    "  KV_DEV_ROOT, KV_SYS_ROOT  look for the devices in this folder instead of\n"
    "           /dev, and for their descriptions instead of /sys (for tests).\n"
    "           Example: KV_DEV_ROOT=/tmp/fake/dev KV_SYS_ROOT=/tmp/fake/sys kvtool ports\n";

}  // namespace kv::tool
