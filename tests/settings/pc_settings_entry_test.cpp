#include <gtest/gtest.h>

#include "settings/pc_settings.h"
#include "settings/pc_settings_entry.h"

namespace kv::test {
namespace {

// What "設定(&S)" stores for each port's device: the port's own device is
// left out of the INI file unless the file already named one.
TEST(PcSettingsEntry, DevicesAndFolderAsTheScreenStoresThem) {
    PcSettings settings;
    settings.setDevicePath(3, "/dev/ttyUSB0");  // configured before
    settings.setDevicePath(4, "/dev/ttyS3");    // configured, equal to the default

    PcSettingsEntry entry;
    entry.dataFolder = "/home/user/data";
    entry.comPort = 2;
    entry.baudRate = 38400;
    entry.devices[0] = "";              // never configured, shown empty
    entry.devices[1] = "/dev/ttyS1";    // never configured, shows its default
    entry.devices[2] = "";              // configured, cleared by the user
    entry.devices[3] = "/dev/ttyS3";    // configured, kept
    entry.devices[4] = "/dev/ttyACM1";  // newly chosen
    entry.autoName[9] = true;
    entry.fileName[9] = "試験";
    applyPcSettingsEntry(settings, entry);

    EXPECT_EQ(settings.dataFolder(), "/home/user/data/");
    EXPECT_EQ(settings.comPort(), 2);
    EXPECT_FALSE(settings.hasDevicePath(1));
    EXPECT_FALSE(settings.hasDevicePath(2));
    EXPECT_FALSE(settings.hasDevicePath(3));
    EXPECT_EQ(settings.devicePath(3), "/dev/ttyS2");
    EXPECT_TRUE(settings.hasDevicePath(4));
    EXPECT_EQ(settings.devicePath(5), "/dev/ttyACM1");
    EXPECT_TRUE(settings.isAutoName(9));
    EXPECT_FALSE(settings.isAutoName(0));
    EXPECT_EQ(settings.fileName(9), "試験");

    entry.dataFolder = "/srv/kv/";
    applyPcSettingsEntry(settings, entry);
    EXPECT_EQ(settings.dataFolder(), "/srv/kv/");
}

}  // namespace
}  // namespace kv::test
