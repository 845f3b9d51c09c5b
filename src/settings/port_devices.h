#pragma once

#include <functional>
#include <string>

namespace kv {

class PcSettings;

// The serial device behind COM n for the program's recorder sessions: the
// device configured for it, else a device handed over for this run only (the
// run script's simulator) when n is the port that was selected at start-up,
// else /dev/ttyS(n - 1). The handed-over device is never written to the
// settings. Empty for numbers outside 1 to 8, which no device answers.
class PortDevices {
  public:
    PortDevices(const PcSettings& settings, std::string runDevice, int runPort);
    std::string operator()(int port) const;

  private:
    const PcSettings& settings_;
    std::string runDevice_;
    int runPort_;
};

// The device that COM `port` uses for this run only (the run script's
// simulator), seen from the line's device paths: empty when the port uses the
// device the settings give it.
std::string runOnlyDevice(const std::function<std::string(int)>& devicePath,
                          const PcSettings& settings, int port);

}  // namespace kv
