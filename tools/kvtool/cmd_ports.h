#pragma once

#include <string>
#include <vector>

#include "link/link.h"
#include "link/serial_ports.h"
#include "recorder/port_probe.h"

namespace kv::tool {

// What `ports` was asked for.
struct PortsRequest {
    bool json = false;
    bool probe = false;
    std::vector<std::string> devices;  // given on the command line; empty: the machine's
};

// Parses the words after "ports": [--json] [--probe] [DEV...]. False with the
// reason on a usage error.
bool parsePortsRequest(const std::vector<std::string>& args, PortsRequest& request,
                       std::string& error);

// The report: one line per device (or one JSON array), with the probe's
// finding when there is one (probes.size() == ports.size()).
std::string portsText(const std::vector<SerialPortInfo>& ports,
                      const std::vector<PortProbe>& probes);
std::string portsJson(const std::vector<SerialPortInfo>& ports,
                      const std::vector<PortProbe>& probes);

}  // namespace kv::tool
