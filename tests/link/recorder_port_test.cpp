// The port's own semantics over the in-memory device: kept error numbers,
// harmless no-ops while closed, the close sequence and the modem lines.
#include <gtest/gtest.h>

#include <cerrno>

#include "link/recorder_port.h"
#include "model/scripted_responder.h"
#include "support/memory_device.h"
#include "support/recording_host.h"
#include "support/virtual_clock.h"

namespace kv {
namespace {

class RecorderPortTest : public ::testing::Test {
  protected:
    test::VirtualClock clock;
    sim::ScriptedResponder recorder;
    test::MemoryDevice device{clock, recorder};
    test::RecordingHost host;
    Link link{device, clock, host, [](int n) { return "/dev/ttyTEST" + std::to_string(n); }};
};

TEST_F(RecorderPortTest, FailedOpenKeepsTheErrorNumberUntilTaken) {
    RecorderPort port(link);
    EXPECT_EQ(port.portNumber(), -1);
    EXPECT_EQ(port.takeLastError(), 0u);
    device.failOpenWith(ENOENT);
    EXPECT_FALSE(port.open(3));
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(port.portNumber(), 3);
    // Later no-ops on the closed port do not overwrite it.
    uint8_t b = 0;
    EXPECT_FALSE(port.write(&b, 1));
    EXPECT_FALSE(port.readByte(b));
    EXPECT_EQ(port.takeLastError(), static_cast<uint32_t>(ENOENT));
    EXPECT_EQ(port.takeLastError(), 0u);

    device.failOpenWith(EBUSY);
    EXPECT_FALSE(port.open(3));
    EXPECT_EQ(port.takeLastError(), static_cast<uint32_t>(EBUSY));
}

TEST_F(RecorderPortTest, OpensTheDeviceOfThePortNumber) {
    RecorderPort port(link);
    ASSERT_TRUE(port.open(5));
    ASSERT_EQ(device.openedPaths().size(), 1u);
    EXPECT_EQ(device.openedPaths()[0], "/dev/ttyTEST5");
    EXPECT_EQ(port.portNumber(), 5);
}

TEST_F(RecorderPortTest, ConfigureBeforeOpenTakesEffectAtOpen) {
    RecorderPort port(link);
    EXPECT_TRUE(port.configure(38400, 8, 'N', 1.0));
    EXPECT_EQ(device.configureCount(), 0);
    ASSERT_TRUE(port.open(1));
    EXPECT_EQ(device.configureCount(), 1);
    EXPECT_EQ(device.lineSettings().baud, 38400);
    EXPECT_EQ(device.lineSettings().dataBits, 8);
    EXPECT_EQ(device.lineSettings().parity, 'N');
    EXPECT_EQ(device.lineSettings().stopBits, 1);
    // While open, a new configuration is applied at once.
    EXPECT_TRUE(port.configure(9600, 7, 'E', 2.0));
    EXPECT_EQ(device.configureCount(), 2);
    EXPECT_EQ(device.lineSettings().baud, 9600);
    EXPECT_EQ(device.lineSettings().dataBits, 7);
    EXPECT_EQ(device.lineSettings().parity, 'E');
    EXPECT_EQ(device.lineSettings().stopBits, 2);
}

TEST_F(RecorderPortTest, ClosedPortIsAHarmlessNoOp) {
    RecorderPort port(link);
    uint8_t b = 0x42;
    EXPECT_EQ(port.bytesWaiting(), 0u);
    EXPECT_FALSE(port.write(&b, 1));
    EXPECT_FALSE(port.readByte(b));
    port.purgeInput();
    EXPECT_FALSE(port.setModemLines(1));  // the RTS change itself fails
    int64_t before = clock.nowMs();
    port.close();
    EXPECT_EQ(clock.nowMs(), before);  // no 100 ms wait
    EXPECT_TRUE(clock.sleeps().empty());
    EXPECT_TRUE(device.modemChanges().empty());
    EXPECT_EQ(port.takeLastError(), 0u);
    // Waiting on a closed port sleeps out the deadline instead of returning at once.
    port.waitForInput(before + 400);
    EXPECT_EQ(clock.nowMs(), before + 400);
}

TEST_F(RecorderPortTest, CloseDropsRtsAssertsDtrAndWaitsBeforeReleasing) {
    RecorderPort port(link);
    ASSERT_TRUE(port.open(1));
    ASSERT_TRUE(port.setModemLines(1));
    int64_t t0 = clock.nowMs();
    port.close();
    EXPECT_FALSE(port.isOpen());
    ASSERT_EQ(device.modemChanges().size(), 4u);
    EXPECT_EQ(device.modemChanges()[2].line, 'R');
    EXPECT_FALSE(device.modemChanges()[2].on);
    EXPECT_EQ(device.modemChanges()[3].line, 'D');
    EXPECT_TRUE(device.modemChanges()[3].on);
    EXPECT_EQ(device.modemChanges()[2].timeMs, t0);
    ASSERT_EQ(device.closeTimesMs().size(), 1u);
    EXPECT_EQ(device.closeTimesMs()[0], t0 + 100);
    port.close();  // a second close does nothing
    EXPECT_EQ(device.closeCount(), 1);
    EXPECT_EQ(clock.nowMs(), t0 + 100);
}

TEST_F(RecorderPortTest, DestroyingAnOpenPortCloses) {
    {
        RecorderPort port(link);
        ASSERT_TRUE(port.open(1));
    }
    EXPECT_EQ(device.closeCount(), 1);
    EXPECT_FALSE(device.rts());
    EXPECT_TRUE(device.dtr());
    EXPECT_EQ(clock.sleptMs(), 100);
}

TEST_F(RecorderPortTest, ModemLinesToggleRtsOnlyAndKeepDtr) {
    RecorderPort port(link);
    ASSERT_TRUE(port.open(1));
    EXPECT_TRUE(port.setModemLines(1));
    EXPECT_TRUE(device.rts());
    EXPECT_TRUE(device.dtr());
    EXPECT_TRUE(port.setModemLines(0));
    EXPECT_FALSE(device.rts());
    EXPECT_TRUE(device.dtr());
    EXPECT_TRUE(port.setModemLines(2));  // anything but 1 clears
    EXPECT_FALSE(device.rts());
    for (const auto& c : device.modemChanges()) {
        if (c.line == 'D') {
            EXPECT_TRUE(c.on);  // DTR is never dropped
        }
    }
    device.failModemLinesWith(EIO);
    EXPECT_FALSE(port.setModemLines(1));
    EXPECT_EQ(port.takeLastError(), 0u);  // a failed modem-line change is not a kept error
}

TEST_F(RecorderPortTest, FailedWriteAndReadKeepTheirErrorNumbers) {
    RecorderPort port(link);
    ASSERT_TRUE(port.open(1));
    uint8_t b = 0;
    EXPECT_FALSE(port.readByte(b));  // nothing arrives within the 1000 ms bound
    EXPECT_EQ(port.takeLastError(), static_cast<uint32_t>(ETIMEDOUT));
    device.failWritesWith(EIO);
    EXPECT_FALSE(port.write(&b, 1));
    EXPECT_EQ(port.takeLastError(), static_cast<uint32_t>(EIO));
}

TEST_F(RecorderPortTest, PurgeDropsWhatArrivedButNotWhatIsStillComing) {
    RecorderPort port(link);
    ASSERT_TRUE(port.open(1));
    int64_t t = clock.nowMs();
    device.pushInput({1, 2, 3}, t);
    device.pushInput({4, 5}, t + 50);
    EXPECT_EQ(port.bytesWaiting(), 3u);
    port.purgeInput();
    EXPECT_EQ(port.bytesWaiting(), 0u);
    port.waitForInput(t + 400);
    EXPECT_EQ(clock.nowMs(), t + 50);  // woken by the next byte, not by the deadline
    EXPECT_EQ(port.bytesWaiting(), 2u);
    uint8_t b = 0;
    ASSERT_TRUE(port.readByte(b));
    EXPECT_EQ(b, 4);
    EXPECT_EQ(port.bytesWaiting(), 1u);
}

using RecorderPortDeathTest = RecorderPortTest;

TEST_F(RecorderPortDeathTest, ConfigureAssertsItsArguments) {
    RecorderPort port(link);
    EXPECT_DEATH(port.configure(0, 8, 'N', 1.0), "0 < baud");
    EXPECT_DEATH(port.configure(38400, 4, 'N', 1.0), "5 <= data");
    EXPECT_DEATH(port.configure(38400, 9, 'N', 1.0), "data <= 8");
}

}  // namespace
}  // namespace kv
