#include <gtest/gtest.h>

#include <memory>

#include "link/link.h"
#include "model/recorder_model.h"
#include "recorder/information_command.h"
#include "settings/pc_settings.h"
#include "settings/port_devices.h"
#include "support/memory_device.h"
#include "support/recording_host.h"
#include "support/virtual_clock.h"

namespace kv::test {
namespace {

// The condition command of the main window against the simulated recorder:
// which commands it sends and which screen it calls for.
class ConditionCommandTest : public ::testing::Test {
  protected:
    void connect(int model) {
        sim::RecorderConfig config;
        config.model = model;
        config.now = [this] { return clock.localNow(); };
        recorder = sim::makeRecorderModel(config);
        device = std::make_unique<MemoryDevice>(clock, *recorder);
        link = std::make_unique<Link>(
            Link{*device, clock, host, [](int n) { return "COM" + std::to_string(n); }});
    }
    std::vector<int> codes() const {
        std::vector<int> c;
        for (const auto& f : device->frames())
            if (c.empty() || c.back() != f[2]) c.push_back(f[2]);
        return c;
    }

    VirtualClock clock;
    RecordingHost host;
    std::unique_ptr<sim::Responder> recorder;
    std::unique_ptr<MemoryDevice> device;
    std::unique_ptr<Link> link;
    RecorderState state;
};

TEST_F(ConditionCommandTest, LaterGenerationReadsIdentityStatusAndClock) {
    connect(6300);
    EXPECT_EQ(readRecorderConditions(*link, 1, 38400, state), RecorderScreen::LaterGeneration);
    EXPECT_EQ(codes(), (std::vector<int>{240, 80, 96}));
    EXPECT_EQ(state.identity.modelCode, 6300);
    EXPECT_EQ(state.info.modelCode, 6300);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(ConditionCommandTest, FirstGenerationFallsBackToItsStatusAndClock) {
    connect(4100);
    EXPECT_EQ(readRecorderConditions(*link, 1, 38400, state), RecorderScreen::FirstGeneration);
    EXPECT_EQ(codes(), (std::vector<int>{240, 0, 16}));
    EXPECT_EQ(state.legacyInfo.modelCode, 4100);
    EXPECT_EQ(device->closeCount(), 1);
}

TEST_F(ConditionCommandTest, APortThatCannotBeOpenedIsReportedAtOnce) {
    connect(5100);
    device->failOpenWith(2);
    const int64_t before = clock.nowMs();
    EXPECT_EQ(readRecorderConditions(*link, 1, 38400, state), RecorderScreen::None);
    EXPECT_EQ(clock.nowMs(), before);
    ASSERT_EQ(host.titles(), (std::vector<std::string>{"通信エラー"}));
    EXPECT_EQ(host.messages[0].flags, Host::Error);
    EXPECT_EQ(host.messages[0].text.rfind("ポートが開けません。\n2\n", 0), 0u);
}

TEST(PortDevices, TheRunDeviceServesOnlyTheUnconfiguredStartPort) {
    PcSettings settings;
    PortDevices devices(settings, "/dev/pts/7", 1);
    EXPECT_EQ(devices(1), "/dev/pts/7");
    EXPECT_EQ(devices(2), "/dev/ttyS1");
    EXPECT_EQ(devices(0), "");
    EXPECT_EQ(devices(9), "");
    settings.setDevicePath(1, "/dev/ttyUSB0");
    EXPECT_EQ(devices(1), "/dev/ttyUSB0");
    EXPECT_EQ(PortDevices(settings, "", 2)(2), "/dev/ttyS1");
}

}  // namespace
}  // namespace kv::test
