// The whole link (port, termios device, transaction) against a recorder that
// holds the master side of a pseudo-terminal itself, in real time: the slave
// starts in the kernel's cooked defaults, as a fresh port does.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "link/frame.h"
#include "link/recorder_port.h"
#include "link/termios_device.h"
#include "model/wire.h"
#include "support/recording_host.h"

namespace kv {
namespace {

using Bytes = std::vector<uint8_t>;

void pause(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// The recorder's end of the line: reads what the PC sends, answers as told.
class PtyPeer {
  public:
    PtyPeer() {
        master_ = posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ >= 0 && grantpt(master_) == 0 && unlockpt(master_) == 0)
            path_ = ptsname(master_);
    }
    ~PtyPeer() { hangUp(); }
    const std::string& path() const { return path_; }

    // Up to n bytes, or fewer when the line stays quiet for quietMs.
    Bytes read(size_t n, int quietMs) {
        Bytes got;
        while (got.size() < n) {
            pollfd p{master_, POLLIN, 0};
            if (poll(&p, 1, quietMs) <= 0 || !(p.revents & POLLIN)) break;
            uint8_t buf[256];
            ssize_t r = ::read(master_, buf, std::min(sizeof buf, n - got.size()));
            if (r <= 0) break;
            got.insert(got.end(), buf, buf + r);
        }
        return got;
    }
    void send(const Bytes& b) {
        ASSERT_EQ(::write(master_, b.data(), b.size()), ssize_t(b.size()));
    }
    void hangUp() {
        if (master_ >= 0) ::close(master_);
        master_ = -1;
    }

  private:
    int master_ = -1;
    std::string path_;
};

// Every byte value a line discipline likes to act on: CR, LF, XON, XOFF, ^C,
// ^D, ^Z, DEL, the parity-marking 0xFF.
Bytes awkwardPayload(size_t n) {
    const uint8_t special[] = {0x0D, 0x0A, 0x11, 0x13, 0x03, 0x04, 0x1A, 0x7F, 0xFF, 0x00, 0x5C};
    Bytes p(n);
    for (size_t i = 0; i < n; ++i) p[i] = special[i % sizeof special];
    return p;
}

class PtyPeerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(peer.path().empty());
        port.configure(38400, 8, 'N', 1.0);
        ASSERT_TRUE(port.open(1));
        port.setModemLines(1);
        for (size_t i = 0; i < 24; ++i) command[4 + i] = awkwardPayload(24)[i];
    }
    void TearDown() override {
        if (recorder.joinable()) recorder.join();
    }

    PtyPeer peer;
    RealClock clock;
    TermiosDevice device{clock};
    test::RecordingHost host;
    Link link{device, clock, host, [this](int) { return peer.path(); }};
    RecorderPort port{link};
    uint8_t command[32] = {};
    uint8_t reply[kMaxReplyLength] = {};
    std::thread recorder;
};

TEST_F(PtyPeerTest, FramesAndRepliesCrossTheLineUntranslatedAndAlone) {
    // The port is raw from the moment it is open.
    termios tio{};
    ASSERT_EQ(tcgetattr(device.fd(), &tio), 0);
    EXPECT_EQ(tio.c_lflag & (ECHO | ICANON | ISIG | IEXTEN), 0u);
    EXPECT_EQ(tio.c_iflag & (ICRNL | INLCR | IGNCR | IXON | IXOFF | ISTRIP | PARMRK), 0u);
    EXPECT_EQ(tio.c_oflag & OPOST, 0u);
    EXPECT_EQ(tio.c_cflag & (CSIZE | PARENB | CSTOPB | CRTSCTS), tcflag_t(CS8));
    EXPECT_EQ(cfgetospeed(&tio), speed_t(B38400));

    Bytes answer = sim::makeReply(0x13, awkwardPayload(183));  // 191 bytes
    Bytes frame, after;
    recorder = std::thread([&] {
        frame = peer.read(32, 2000);
        // In three pieces, the last two bytes on their own.
        peer.send(Bytes(answer.begin(), answer.begin() + 100));
        pause(60);
        peer.send(Bytes(answer.begin() + 100, answer.end() - 2));
        pause(60);
        peer.send(Bytes(answer.end() - 2, answer.end()));
        after = peer.read(1, 300);
    });
    ASSERT_TRUE(transact(port, 0x13, command, 32, reply, answer.size()));
    recorder.join();
    EXPECT_EQ(frame, Bytes(command, command + 32));
    EXPECT_EQ(frame, sim::makeCommand(0x13, awkwardPayload(24)));
    EXPECT_EQ(Bytes(reply, reply + answer.size()), answer);
    EXPECT_TRUE(after.empty()) << "no echo, nothing but the frame";
    port.close();
    EXPECT_TRUE(peer.read(1, 50).empty());
}

TEST_F(PtyPeerTest, ALongReplyFailsAndItsBytesAreGoneBeforeTheNextWrite) {
    Bytes answer = sim::makeReply(0x50, 40, 0x0D);
    Bytes longer = answer;
    longer.push_back(0x0A);
    Bytes first, second, third;
    recorder = std::thread([&] {
        first = peer.read(32, 2000);
        peer.send(longer);
        second = peer.read(32, 2000);  // after the idle time-out, no reset yet
        // Noise that arrives with the reply of the second attempt spoils it
        // too; the third attempt, after a reset, gets a clean answer.
        peer.send(Bytes{0x0D, 0x0A});
        peer.send(answer);
        third = peer.read(32, 3000);
        peer.send(answer);
    });
    int64_t t0 = clock.nowMs();
    ASSERT_TRUE(transact(port, 0x50, command, 32, reply, answer.size()));
    int64_t took = clock.nowMs() - t0;
    recorder.join();
    EXPECT_EQ(first, Bytes(command, command + 32));
    EXPECT_EQ(second, first);
    EXPECT_EQ(third, first);
    EXPECT_EQ(Bytes(reply, reply + answer.size()), answer);
    EXPECT_GE(took, 2 * 400 + 1500);
    EXPECT_EQ(host.processEventsCount, 1);
}

}  // namespace
}  // namespace kv
