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

}  // namespace kv
