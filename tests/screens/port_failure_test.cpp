// Every recorder command of the program on a port that cannot be opened: the
// port message comes at once (no attempt, no wake-up wait, nothing sent) and
// no communication-failure notice follows it.
#include <gtest/gtest.h>

#include <cerrno>
#include <functional>

#include "datafile/data_set.h"
#include "download/download_command.h"
#include "link/link.h"
#include "model/recorder_model.h"
#include "recorder/information_command.h"
#include "screens/monitor_settings.h"
#include "screens/settings_write.h"
#include "settings/pc_settings.h"
#include "support/memory_device.h"
#include "support/recording_host.h"
#include "support/virtual_clock.h"

namespace kv::test {
namespace {

TEST(PortFailure, EveryRecorderCommandReportsItAtOnce) {
    VirtualClock clock;
    RecordingHost host;
    auto recorder = sim::makeRecorderModel(sim::RecorderConfig{});
    MemoryDevice device(clock, *recorder);
    Link link{device, clock, host, [](int n) { return "/dev/ttyUSB" + std::to_string(n); }};
    PcSettings settings;
    settings.setComPort(2);
    settings.setBaudRate(38400);
    RecorderState state;
    auto data = std::make_unique<DataSet>();

    const std::pair<const char*, std::function<void()>> commands[] = {
        {"information", [&] { readRecorderInformation(link, 2, 38400, state); }},
        {"conditions", [&] { readRecorderConditions(link, 2, 38400, state); }},
        {"monitor preset",
         [&] {
             MonitorChoices choices;
             readMonitorPreset(link, 2, 38400, settings, state, choices);
         }},
        {"download",
         [&] {
             std::array<bool, kMeasurementSlots> ticked{};
             ticked[0] = true;
             runDownloadCommand(link, settings.downloadSettings(), ticked, state, *data,
                                [](bool) {});
         }},
        {"write",
         [&] {
             reportWrite(host, runInSession(link, settings, [](RecorderSession&) {
                             ADD_FAILURE() << "commands on a port that never opened";
                             return true;
                         }));
         }},
    };
    for (const auto& [name, run] : commands) {
        SCOPED_TRACE(name);
        host.messages.clear();
        device.failOpenWith(EACCES);
        const int attempts = device.openAttempts();
        const int64_t before = clock.nowMs();
        run();
        EXPECT_EQ(clock.nowMs(), before);
        EXPECT_EQ(device.openAttempts(), attempts + 1);
        EXPECT_TRUE(device.frames().empty());
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].title, "通信エラー");
        EXPECT_EQ(host.messages[0].flags, Host::Error);
        EXPECT_EQ(host.messages[0].text.rfind("ポートが開けません。\n13\n/dev/ttyUSB2: ", 0), 0u)
            << host.messages[0].text;
    }
}

}  // namespace
}  // namespace kv::test
