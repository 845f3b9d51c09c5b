#include "settings/pc_settings_entry.h"

#include "base/kv_assert.h"

namespace kv {

std::string defaultDevicePath(int port) {
    KV_ASSERT(1 <= port);
    KV_ASSERT(port <= kComPorts);
    return "/dev/ttyS" + std::to_string(port - 1);
}

void applyPcSettingsEntry(PcSettings& settings, const PcSettingsEntry& entry) {
    settings.setDataFolder(entry.dataFolder);
    settings.setComPort(entry.comPort);
    settings.setBaudRate(entry.baudRate);
    settings.setSaveTrace(entry.saveTrace);
    for (int port = 1; port <= kComPorts; ++port) {
        const std::string& device = entry.devices[port - 1];
        if (!settings.hasDevicePath(port) && (device.empty() || device == defaultDevicePath(port)))
            continue;
        settings.setDevicePath(port, device);
    }
    for (int n = 0; n < DATA_MAX; ++n) {
        settings.setAutoName(n, entry.autoName[n]);
        settings.setFileName(n, entry.fileName[n]);
    }
}

}  // namespace kv
