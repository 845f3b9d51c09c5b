#include "settings/port_devices.h"

#include "settings/pc_settings.h"

namespace kv {

PortDevices::PortDevices(const PcSettings& settings, std::string runDevice, int runPort)
    : settings_(settings), runDevice_(std::move(runDevice)), runPort_(runPort) {}

std::string PortDevices::operator()(int port) const {
    if (port < 1 || port > 8) return {};
    if (!runDevice_.empty() && port == runPort_ && !settings_.hasDevicePath(port))
        return runDevice_;
    return settings_.devicePath(port);
}

std::string runOnlyDevice(const std::function<std::string(int)>& devicePath,
                          const PcSettings& settings, int port) {
    if (port < 1 || port > 8 || !devicePath || settings.hasDevicePath(port)) return {};
    std::string used = devicePath(port);
    return used == settings.devicePath(port) ? std::string() : used;
}

}  // namespace kv
