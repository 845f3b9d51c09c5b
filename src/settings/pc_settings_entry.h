#pragma once

#include <array>
#include <string>

#include "settings/pc_settings.h"

namespace kv {

constexpr int kComPorts = 8;  // COM1 to COM8

// What the PC settings screen holds when "設定(&S)" is pressed.
struct PcSettingsEntry {
    std::string dataFolder;  // with or without a trailing "/"
    int comPort = 1;         // 1 to kComPorts
    int baudRate = 38400;
    std::array<std::string, kComPorts> devices;  // as typed; empty = the port's own device
    bool saveTrace = false;
    std::array<bool, DATA_MAX> autoName{};
    std::array<std::string, DATA_MAX> fileName;
};

// The serial device COM n (1 to kComPorts) uses when none is configured.
std::string defaultDevicePath(int port);

// Stores the entry in the settings (not on disk): the data folder gets its
// trailing "/", and a port that shows its own default device gets no "com"
// entry unless it had one already, so an INI file stays free of keys the user
// never chose.
void applyPcSettingsEntry(PcSettings& settings, const PcSettingsEntry& entry);

}  // namespace kv
