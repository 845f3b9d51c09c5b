#pragma once

#include <functional>
#include <string>

#include "base/clock.h"
#include "base/host.h"
#include "link/serial_device.h"

namespace kv {

class ProtocolTrace;

// Everything a recorder conversation touches outside the core: the line, the
// time and whoever runs the operation. The program builds one with the termios
// device, the real clock and its windows; tests with the in-memory device, a
// virtual clock and a recording host.
struct Link {
    SerialDevice& device;
    Clock& clock;
    Host& host;
    // Device path of COM n (1 to 8).
    std::function<std::string(int portNumber)> devicePath;
    // The transactions' attempts, time-outs and line resets go here when set;
    // the device itself is then a TracingDevice writing to the same trace.
    ProtocolTrace* trace = nullptr;
};

}  // namespace kv
