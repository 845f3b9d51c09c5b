// A hand-edited INI file is input: whatever its keys hold, loading it and
// running the information command on it never aborts. Ports and baud rates
// no line can use read as their defaults.
#include <gtest/gtest.h>

#include <memory>

#include "cmd_info.h"
#include "link/link.h"
#include "link/serial_device.h"
#include "model/recorder_model.h"
#include "settings/pc_settings.h"
#include "settings/settings_test_support.h"
#include "support/memory_device.h"
#include "support/recording_host.h"
#include "support/virtual_clock.h"
#include "tool_link.h"
#include "tool_options.h"

namespace kv::tool {
namespace {

TEST(KvtoolBadIni, EveryKeyBadStillReadsTheRecorder) {
    test::VirtualClock clock;
    test::RecordingHost host;
    sim::RecorderConfig config;
    config.model = 5300;
    config.now = [&clock] { return clock.localNow(); };
    std::string error;
    auto recorder = sim::makeRecorderModel(config, error);
    ASSERT_TRUE(recorder) << error;
    test::MemoryDevice device(clock, *recorder);

    test::ScratchFolder tmp;
    int n = 0;
    for (const std::string& file : test::badIniFiles()) {
        SCOPED_TRACE("file " + std::to_string(n++));
        test::writeBytes(tmp.file("kv.ini"), file);
        ToolOptions options;
        options.ini = tmp.file("kv.ini");
        options.args = {"info"};
        PcSettings settings;
        loadToolSettings(options, settings);
        EXPECT_GE(settings.comPort(), 1);
        EXPECT_LE(settings.comPort(), 8);
        EXPECT_TRUE(isUsableBaudRate(settings.baudRate())) << settings.baudRate();
        for (int no = 0; no < DATA_MAX; ++no) settings.fileName(no);
        EXPECT_TRUE(isValidRestitution(settings.restitution));
        EXPECT_TRUE(isValidQ(settings.srsQ));

        PortChoice port;
        ASSERT_TRUE(choosePort(options, settings, port, error)) << error;
        Link link{device, clock, host, [&settings](int p) { return settings.devicePath(p); }};
        std::string out;
        host.messages.clear();
        EXPECT_EQ(infoCommand(link, port.portNumber, port.baudRate, true, out), kExitOk)
            << (host.messages.empty() ? "" : host.messages[0].text);
        EXPECT_NE(out.find("\"modelCode\": 5300"), std::string::npos);
        settings.save();  // a value without a CP932 form fails the save, never aborts
    }
}

}  // namespace
}  // namespace kv::tool
