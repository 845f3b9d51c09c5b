#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "link/link.h"
#include "link/serial_ports.h"
#include "recorder/records.h"

namespace kv {

// What asking one serial device for a recorder found.
struct PortProbe {
    enum class Outcome {
        Answered,  // a recorder: model and serial number below
        Silent,    // the port opened, nothing answered
        Busy,      // another program uses the port: nothing was sent
        Console,   // the system console: nothing was sent
        Unopened,  // the port could not be opened (error below)
    };
    std::string path;
    Outcome outcome = Outcome::Silent;
    ModelCode model = 0;
    int32_t serialNumber = -1;  // -1: the recorder did not tell it
    bool firstGeneration = false;
    uint32_t error = 0;  // Unopened: the error number
};

// Asks the device for a recorder as the information command would, at the
// given baud rate: a session of its own, the later generations' identity
// command (240, then status 80 for the serial number), else the first
// generation's status command (0), each with the usual attempts. A console,
// or a port that another program holds (its lock, or a UUCP lock file), gets
// nothing sent. No message box is shown.
PortProbe probePort(Link& link, const std::string& path, int baudRate, const DeviceTree& tree);

// Probes each device once (a by-id link and its target are one device; the
// link's result is the target's), in the given order, with the host's
// progress window (cancellable; cancelling leaves the rest out of the
// result). One result per path given, or fewer when cancelled.
std::vector<PortProbe> probePorts(Link& link, const std::vector<std::string>& paths, int baudRate,
                                  const DeviceTree& tree);

// The recorder's name as a person reads it: "KV-5300".
std::string recorderName(ModelCode model);

// What a probe found, in the words of the windows: "KV-5300（製造番号 4321）",
// "応答なし", "使用中（何も送っていません）", …
std::string probeFindingText(const PortProbe& probe);
// The first probe that found a recorder on another device than `except`;
// nullptr when none did.
const PortProbe* firstAnswer(const std::vector<PortProbe>& probes, const std::string& except = {});

}  // namespace kv
