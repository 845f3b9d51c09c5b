// The termios device on a bare pseudo-terminal pair, in real time: errors kept
// as errno, waiting that blocks (also while bytes already wait) and wakes for a
// new byte, and a vanished other end that fails reads and writes. Only lower
// bounds of time are asserted here (a loaded machine only makes waits longer);
// how fast a wait wakes and how little CPU it takes is measured in
// bench/link_bench.cpp.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <string>
#include <thread>

#include "link/termios_device.h"

namespace kv {
namespace {

// Far enough that a wait which returns before it was woken by input, however
// loaded the machine.
constexpr int64_t kFarDeadlineMs = 60000;

class TermiosDeviceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        master = posix_openpt(O_RDWR | O_NOCTTY);
        ASSERT_GE(master, 0);
        ASSERT_EQ(grantpt(master), 0);
        ASSERT_EQ(unlockpt(master), 0);
        path = ptsname(master);
        ASSERT_EQ(device.open(path), 0);
        ASSERT_EQ(device.configure(38400, 8, 'N', 1), 0);
    }
    void TearDown() override {
        device.close();
        if (master >= 0) close(master);
    }
    void send(const std::string& bytes) {
        ASSERT_EQ(write(master, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
    // Waits (really) until the kernel shows n bytes to the slave.
    void settle(uint32_t n) {
        for (int i = 0; i < 200 && device.bytesWaiting() < n; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        ASSERT_EQ(device.bytesWaiting(), n);
    }

    RealClock clock;
    TermiosDevice device{clock};
    int master = -1;
    std::string path;
};

TEST_F(TermiosDeviceTest, OpenFailuresAreTheirErrorNumbers) {
    TermiosDevice other;
    EXPECT_EQ(other.open("/dev/does-not-exist-kv"), ENOENT);
    EXPECT_EQ(other.open("/dev/null"), ENOTTY);
    EXPECT_FALSE(other.isOpen());
    EXPECT_NE(other.open(path), 0);  // held exclusively by the fixture's device
    EXPECT_EQ(other.setRts(true), EBADF);
    EXPECT_EQ(other.bytesWaiting(), 0u);
}

TEST_F(TermiosDeviceTest, RawBytesBothWaysAndModemLinesAcceptedOnAPty) {
    EXPECT_TRUE(device.isPseudoTerminal());
    EXPECT_EQ(device.setRts(true), 0);
    EXPECT_EQ(device.setDtr(true), 0);
    const uint8_t out[] = {0x55, 0xAA, 0x0D, 0x0A, 0x03, 0x11, 0x13, 0xFF};
    ASSERT_EQ(device.write(out, sizeof out), 0);
    uint8_t in[sizeof out];
    size_t got = 0;
    while (got < sizeof out) {
        ssize_t n = read(master, in + got, sizeof out - got);
        ASSERT_GT(n, 0);
        got += static_cast<size_t>(n);
    }
    EXPECT_EQ(std::string(in, in + got), std::string(out, out + sizeof out));  // nothing translated
    send(std::string(reinterpret_cast<const char*>(out), sizeof out));
    settle(sizeof out);
    for (uint8_t expected : out) {
        uint8_t b = 0;
        ASSERT_EQ(device.readByte(b), 0);
        EXPECT_EQ(b, expected);
    }
    EXPECT_EQ(device.bytesWaiting(), 0u);
}

TEST_F(TermiosDeviceTest, WaitingBlocksEvenWhileBytesAlreadyWait) {
    send("abc");
    settle(3);
    int64_t t0 = clock.nowMs();
    device.waitForInput(t0 + 150);
    EXPECT_GE(clock.nowMs() - t0, 149);  // the three bytes are not news
    EXPECT_EQ(device.bytesWaiting(), 3u);

    std::thread later([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(40));
        send("d");
    });
    t0 = clock.nowMs();
    device.waitForInput(t0 + kFarDeadlineMs);
    const bool wokenByTheByte = clock.nowMs() < t0 + kFarDeadlineMs;
    int64_t took = clock.nowMs() - t0;
    later.join();
    EXPECT_GE(took, 30);
    EXPECT_TRUE(wokenByTheByte);
    settle(4);
    uint8_t b = 0;
    std::string all;
    while (device.bytesWaiting() > 0 && device.readByte(b) == 0) all += static_cast<char>(b);
    EXPECT_EQ(all, "abcd");
}

TEST_F(TermiosDeviceTest, ABytePastTheLastCountIsNewsEvenWhenTheDrainTakesIt) {
    send("abc");
    settle(3);  // the caller has counted three
    send("d");
    std::this_thread::sleep_for(std::chrono::milliseconds(50));  // in the kernel, not counted
    int64_t t0 = clock.nowMs();
    device.waitForInput(t0 + kFarDeadlineMs);
    EXPECT_LT(clock.nowMs(), t0 + kFarDeadlineMs);  // not sat out to the deadline
    EXPECT_EQ(device.bytesWaiting(), 4u);
    t0 = clock.nowMs();
    device.waitForInput(t0 + 100);  // the fourth is known now: no news, a real wait
    EXPECT_GE(clock.nowMs() - t0, 99);
}

TEST_F(TermiosDeviceTest, RawFromTheOpenAndWithASpeedTermiosLacks) {
    int m = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(m, 0);
    ASSERT_EQ(grantpt(m), 0);
    ASSERT_EQ(unlockpt(m), 0);
    TermiosDevice fresh;
    ASSERT_EQ(fresh.open(ptsname(m)), 0);
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round == 0 ? "opened only" : "configured at 14400 baud");
        termios tio{};
        ASSERT_EQ(tcgetattr(fresh.fd(), &tio), 0);
        EXPECT_EQ(tio.c_lflag & (ECHO | ICANON | ISIG), 0u);
        EXPECT_EQ(tio.c_iflag & (ICRNL | IXON), 0u);
        EXPECT_EQ(tio.c_oflag & OPOST, 0u);
        EXPECT_EQ(tio.c_cflag & CSIZE, tcflag_t(CS8));
        const char in[] = "\r\n\x11\x13";
        ASSERT_EQ(write(m, in, 4), 4);
        pollfd p{m, POLLIN, 0};
        EXPECT_EQ(poll(&p, 1, 100), 0) << "echoed back to the recorder";
        fresh.discardInput();
        EXPECT_EQ(fresh.configure(14400, 8, 'N', 1), EINVAL);
    }
    fresh.close();
    close(m);
}

TEST_F(TermiosDeviceTest, DiscardDropsBytesAlreadyTakenFromTheKernelToo) {
    send("12345");
    settle(5);
    device.waitForInput(clock.nowMs() + 1);  // moves them out of the kernel queue
    send("678");
    settle(8);
    device.discardInput();
    EXPECT_EQ(device.bytesWaiting(), 0u);
    send("9");
    settle(1);
    uint8_t b = 0;
    ASSERT_EQ(device.readByte(b), 0);
    EXPECT_EQ(b, '9');
}

TEST_F(TermiosDeviceTest, ReadingNothingTimesOutAfterOneSecond) {
    uint8_t b = 0;
    int64_t t0 = clock.nowMs();
    EXPECT_EQ(device.readByte(b), ETIMEDOUT);
    EXPECT_GE(clock.nowMs() - t0, 999);
}

TEST_F(TermiosDeviceTest, AVanishedOtherEndKeepsDeadlinesAndFailsReadsAndWrites) {
    send("xy");
    settle(2);
    close(master);
    master = -1;
    int64_t t0 = clock.nowMs();
    // Each wait tells the hang-up, and keeps its deadline so that a caller
    // that only looks at the queue does not spin.
    for (int i = 0; i < 3; ++i) EXPECT_EQ(device.waitForInput(clock.nowMs() + 100), EIO);
    EXPECT_GE(clock.nowMs() - t0, 290);
    // The kernel hangs the slave up and drops its input: reads and writes
    // fail with the error the kernel gives instead of timing out.
    uint8_t b = 0;
    EXPECT_EQ(device.readByte(b), EIO);
    EXPECT_EQ(device.write(&b, 1), EIO);
}

}  // namespace
}  // namespace kv
