// The transaction under the faults of a real line, on the virtual clock.
#include <gtest/gtest.h>

#include <cerrno>

#include "link/frame.h"
#include "link/messages.h"
#include "link/recorder_port.h"
#include "model/scripted_responder.h"
#include "model/wire.h"
#include "support/memory_device.h"
#include "support/recording_host.h"
#include "support/virtual_clock.h"

namespace kv {
namespace {

using sim::makeReply;
using test::MemoryDevice;

class TransactTest : public ::testing::Test {
protected:
    test::VirtualClock clock;
    sim::ScriptedResponder recorder;
    MemoryDevice device{clock, recorder};
    test::RecordingHost host;
    Link link{device, clock, host, [](int n) { return "/dev/ttyTEST" + std::to_string(n); }};
    RecorderPort port{link};
    uint8_t command[32] = {};
    uint8_t reply[kMaxReplyLength] = {};

    void SetUp() override {
        port.configure(38400, 8, 'N', 1.0);
        ASSERT_TRUE(port.open(1));
        ASSERT_TRUE(port.setModemLines(1));
    }
    // Changes of RTS after the session start.
    std::vector<std::pair<int64_t, bool>> rtsChanges() const {
        std::vector<std::pair<int64_t, bool>> r;
        for (const auto& c : device.modemChanges())
            if (c.line == 'R') r.emplace_back(c.timeMs, c.on);
        r.erase(r.begin());  // the raise of SetUp
        return r;
    }
    bool run(uint8_t cmd, size_t n) { return transact(port, cmd, command, 32, reply, n); }
};

TEST_F(TransactTest, CompletesTheFrameAndAcceptsAValidReply) {
    command[4] = 0x12;
    command[27] = 0x34;
    auto answer = makeReply(80, std::vector<uint8_t>{1, 2, 3, 4, 5, 6, 7, 8});
    recorder.on(80, answer);
    ASSERT_TRUE(run(80, answer.size()));
    EXPECT_EQ(std::vector<uint8_t>(reply, reply + answer.size()), answer);
    ASSERT_EQ(device.writes().size(), 1u);
    const auto& sent = device.writes()[0].bytes;
    ASSERT_EQ(sent.size(), 32u);
    EXPECT_EQ(sent[0], 0x55);
    EXPECT_EQ(sent[1], 0xAA);
    EXPECT_EQ(sent[2], 80);
    EXPECT_EQ(sent[3], static_cast<uint8_t>(~80));
    EXPECT_EQ(sent[4], 0x12);
    EXPECT_EQ(sent[27], 0x34);
    uint16_t crc = crc16(sent.data(), 28);
    EXPECT_EQ(sent[28], crc >> 8);
    EXPECT_EQ(sent[29], crc & 0xFF);
    EXPECT_EQ(sent[30], 0xAA);
    EXPECT_EQ(sent[31], 0x55);
    // The caller compares echoes against its completed buffer.
    EXPECT_EQ(std::vector<uint8_t>(command, command + 32), sent);
    EXPECT_EQ(host.processEventsCount, 1);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(device.discardTimesMs().size(), 1u);
}

TEST_F(TransactTest, AnswersOnlyOnTheThirdAttemptAfterExactlyOneReset) {
    recorder.onSequence(0, {{}, {}, makeReply(0, 32)});
    int64_t start = clock.nowMs();
    ASSERT_TRUE(run(0, 32));
    EXPECT_EQ(device.writes().size(), 3u);
    auto rts = rtsChanges();
    ASSERT_EQ(rts.size(), 2u);
    EXPECT_FALSE(rts[0].second);
    EXPECT_TRUE(rts[1].second);
    EXPECT_EQ(rts[1].first - rts[0].first, 750);
    // The reset lies between the second and the third write, 750 ms before it.
    EXPECT_GT(rts[0].first, device.writes()[1].timeMs);
    EXPECT_EQ(device.writes()[2].timeMs - rts[1].first, 750);
    EXPECT_TRUE(device.dtr());
    EXPECT_EQ(host.processEventsCount, 1);
    // 400 + 400 ms of silence, one 1500 ms reset, a prompt answer.
    EXPECT_NEAR(clock.nowMs() - start, 2300, 20);
}

TEST_F(TransactTest, NeverAnsweredCostsThreeWritesTwoResetsAndAboutFourPointTwoSeconds) {
    int64_t start = clock.nowMs();
    EXPECT_FALSE(run(0, 32));
    EXPECT_EQ(device.writes().size(), 3u);
    EXPECT_EQ(device.discardTimesMs().size(), 3u);  // a purge before every write
    auto rts = rtsChanges();
    ASSERT_EQ(rts.size(), 4u);
    EXPECT_FALSE(rts[0].second);
    EXPECT_TRUE(rts[1].second);
    EXPECT_FALSE(rts[2].second);
    EXPECT_TRUE(rts[3].second);
    EXPECT_TRUE(device.rts());  // raised again at the end
    EXPECT_TRUE(device.dtr());
    EXPECT_EQ(clock.nowMs() - start, 3 * 400 + 2 * 1500);
    EXPECT_EQ(host.processEventsCount, 1);
    EXPECT_TRUE(host.messages.empty());  // the caller shows the notice, not transact
    for (const auto& w : device.writes())
        EXPECT_EQ(w.bytes, std::vector<uint8_t>(command, command + 32));
}

}  // namespace
}  // namespace kv
