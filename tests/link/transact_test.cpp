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

// One attempt's reply, crafted; returns whether the whole transaction succeeded
// and leaves the virtual time it took in `elapsed`.
struct BadReply {
    const char* name;
    std::vector<uint8_t> bytes;
    bool rightLength = true;
};

std::vector<BadReply> badRepliesTo80() {
    std::vector<BadReply> v;
    std::vector<uint8_t> payload32(32);
    for (size_t i = 0; i < payload32.size(); ++i) payload32[i] = static_cast<uint8_t>(i * 37 + 1);
    auto good = makeReply(80, payload32);
    auto swapped = good;
    EXPECT_NE(swapped[36], swapped[37]);
    std::swap(swapped[36], swapped[37]);
    v.push_back({"crc bytes swapped", swapped});
    auto badCrc = good;
    badCrc[37] ^= 0x01;
    v.push_back({"crc wrong", badCrc});
    auto payload = good;
    payload[10] ^= 0x80;
    v.push_back({"payload changed after the crc was made", payload});
    v.push_back({"another command", makeReply(81, 40, 0x11)});
    auto complement = good;
    complement[3] = 80;  // the code itself instead of its complement
    v.push_back({"wrong complement", complement});
    auto head0 = good;
    head0[0] = 0x54;
    v.push_back({"wrong first header byte", head0});
    auto head1 = good;
    head1[1] = 0xAB;
    v.push_back({"wrong second header byte", head1});
    auto trail0 = good;
    trail0[38] = 0xAB;
    v.push_back({"wrong first trailer byte", trail0});
    auto trail1 = good;
    trail1[39] = 0x54;
    v.push_back({"wrong last trailer byte", trail1});
    auto shortReply = good;
    shortReply.pop_back();
    v.push_back({"one byte short", shortReply, false});
    auto longReply = good;
    longReply.push_back(0x00);
    v.push_back({"one byte long", longReply, false});
    return v;
}

TEST_F(TransactTest, RejectsEveryMalformedReply) {
    for (const auto& bad : badRepliesTo80()) {
        SCOPED_TRACE(bad.name);
        recorder.on(80, bad.bytes);
        size_t writesBefore = device.writes().size();
        int64_t start = clock.nowMs();
        EXPECT_FALSE(run(80, 40));
        EXPECT_EQ(device.writes().size() - writesBefore, 3u);
        // A reply of the right length is judged as soon as it is there; a
        // short or long one only at the idle time-out after its last byte.
        int64_t perAttempt = bad.rightLength ? 5 : 5 + 400;
        EXPECT_EQ(clock.nowMs() - start, 3 * perAttempt + 2 * 1500);
    }
}

TEST_F(TransactTest, ALongReplyFailsAtTheIdleTimeOutAfterItsLastByte) {
    auto good = makeReply(80, 40, 0x11);
    auto longReply = good;
    longReply.push_back(0x00);
    recorder.on(80, longReply);
    completeFrame(80, command);
    int64_t start = clock.nowMs();
    port.write(command, 32);
    EXPECT_FALSE(receiveReply(port, reply, 40, 80));
    EXPECT_EQ(clock.nowMs() - start, 5 + 400);  // latency, then 400 ms from the last byte
    // The first 40 bytes were valid, but they were not even read.
    EXPECT_EQ(port.bytesWaiting(), 41u);
    EXPECT_EQ(device.bytesRead(), 0u);
}

TEST_F(TransactTest, ALongReplyPacedAtTheBaudRateIsStillRejected) {
    // Paced byte by byte, the count passes through N on its way to N+1; the
    // extra byte arrives together with the last one, as from a UART FIFO.
    device.setBaud(38400);
    recorder.on(80, makeReply(80, 40, 0x11));
    device.faults().extraByte = 3;
    EXPECT_FALSE(run(80, 40));
}

TEST_F(TransactTest, NoiseAfterTheWriteSpoilsOneAttemptOnly) {
    recorder.on(80, makeReply(80, 40, 0x11));
    // A burst of line noise lands between the write and the reply.
    device.setLatencyMs(20);
    device.pushInput({0x55, 0xAA, 0x00}, clock.nowMs() + 10);
    ASSERT_TRUE(run(80, 40));
    EXPECT_EQ(device.writes().size(), 2u);
    EXPECT_EQ(rtsChanges().size(), 0u);  // no reset after the first failure
    EXPECT_EQ(reply[2], 80);
}

TEST_F(TransactTest, NoiseBeforeTheCommandIsPurged) {
    recorder.on(80, makeReply(80, 40, 0x11));
    device.pushInput({0xAA, 0x55, 0x13, 0x00, 0xFF}, clock.nowMs() - 5);
    ASSERT_TRUE(run(80, 40));
    EXPECT_EQ(device.writes().size(), 1u);
}

TEST_F(TransactTest, LeftoversOfAFailedTransactionDoNotReachTheNextOne) {
    recorder.on(80, makeReply(80, 40, 0x11));
    device.faults().extraByte = 3;
    EXPECT_FALSE(run(80, 40));
    EXPECT_EQ(port.bytesWaiting(), 41u);  // the last long reply still waits
    ASSERT_TRUE(run(80, 40));
    EXPECT_EQ(std::vector<uint8_t>(reply, reply + 40), makeReply(80, 40, 0x11));
}

TEST_F(TransactTest, BadCrcTwiceThenGoodSucceedsWithOneReset) {
    recorder.on(80, makeReply(80, 40, 0x11));
    device.faults().corrupt = 2;
    ASSERT_TRUE(run(80, 40));
    EXPECT_EQ(device.writes().size(), 3u);
    EXPECT_EQ(rtsChanges().size(), 2u);
}

TEST_F(TransactTest, BytesSlowerThanTheIdleTimeOutEndTheAttempt) {
    recorder.on(80, makeReply(80, 40, 0x11));
    device.faults().trickle = 3;
    device.faults().trickleGapMs = 450;
    int64_t start = clock.nowMs();
    EXPECT_FALSE(run(80, 40));
    EXPECT_EQ(device.writes().size(), 3u);
    // Each attempt: the first byte, then 400 ms without the second.
    EXPECT_NEAR(clock.nowMs() - start, 3 * 405 + 2 * 1500, 3);
}

TEST_F(TransactTest, SlowButSteadyBytesAreAccepted) {
    // The idle time-out counts from the last byte, not from the write: a reply
    // taking 40 x 350 ms = 14 s still arrives.
    recorder.on(80, makeReply(80, 40, 0x11));
    device.faults().trickle = 1;
    device.faults().trickleGapMs = 350;
    int64_t start = clock.nowMs();
    ASSERT_TRUE(run(80, 40));
    EXPECT_EQ(device.writes().size(), 1u);
    EXPECT_EQ(clock.nowMs() - start, 5 + 39 * 350);
}

TEST_F(TransactTest, AHangUpInTheMiddleFailsCleanly) {
    recorder.on(80, makeReply(80, 40, 0x11));
    device.faults().hangUpAfter = 0;
    uint8_t guarded[40 + 16];
    std::fill(std::begin(guarded), std::end(guarded), 0xCC);
    int64_t start = clock.nowMs();
    EXPECT_FALSE(transact(port, 80, command, 32, guarded, 40));
    for (size_t i = 40; i < sizeof guarded; ++i) EXPECT_EQ(guarded[i], 0xCC);
    EXPECT_TRUE(device.hungUp());
    EXPECT_EQ(device.writes().size(), 1u);  // the later writes failed
    EXPECT_EQ(port.takeLastError(), static_cast<uint32_t>(EIO));
    EXPECT_LE(clock.nowMs() - start, 3 * 405 + 2 * 1500);
    EXPECT_EQ(host.processEventsCount, 1);
}

TEST_F(TransactTest, AFloodOfBytesIsNeverReadPastTheBuffer) {
    recorder.on(80, std::vector<uint8_t>(5000, 0x55));
    uint8_t guarded[40 + 16];
    std::fill(std::begin(guarded), std::end(guarded), 0xCC);
    EXPECT_FALSE(transact(port, 80, command, 32, guarded, 40));
    for (size_t i = 0; i < sizeof guarded; ++i) EXPECT_EQ(guarded[i], 0xCC);
}

TEST_F(TransactTest, AReplyPacedAt38400BaudArrivesInItsWireTime) {
    device.setBaud(38400);
    device.setLatencyMs(0);
    recorder.on(33, makeReply(33, 191, 0x42));
    int64_t startUs = clock.nowUs();
    ASSERT_TRUE(run(33, 191));
    // 32 bytes out, 191 bytes back, 10 bits each.
    EXPECT_NEAR(static_cast<double>(clock.nowUs() - startUs), (32 + 191) * 1e7 / 38400, 1000);
}

TEST_F(TransactTest, ReceiveReplyReadsAnUnsolicitedTelegram) {
    auto telegram = makeReply(0xE3, 32, 0x07);
    device.pushInput(telegram, clock.nowMs() + 100, 260);
    ASSERT_TRUE(receiveReply(port, reply, 32, 0xE3));
    EXPECT_EQ(std::vector<uint8_t>(reply, reply + 32), telegram);
    EXPECT_TRUE(device.writes().empty());
    EXPECT_EQ(host.processEventsCount, 0);
}

TEST_F(TransactTest, SendOnlyPurgesWritesOnceAndWaitsForNothing) {
    recorder.on(83, makeReply(83, 32));
    device.pushInput({9, 9, 9}, clock.nowMs());
    command[4] = 0x77;
    int64_t start = clock.nowMs();
    EXPECT_TRUE(sendOnly(port, 83, command, 32, reply));
    EXPECT_EQ(clock.nowMs(), start);
    EXPECT_EQ(device.discardTimesMs().size(), 1u);
    ASSERT_EQ(device.writes().size(), 1u);
    EXPECT_EQ(device.writes()[0].bytes, sim::makeCommand(83, std::vector<uint8_t>{0x77}));
    EXPECT_EQ(host.processEventsCount, 0);
    EXPECT_EQ(port.bytesWaiting(), 0u);  // the stale bytes went, the echo is still coming
    device.failWritesWith(EIO);
    EXPECT_FALSE(sendOnly(port, 83, command, 32, reply));
}

TEST_F(TransactTest, ClosedPortFailsAtOnceWithoutAttempts) {
    port.close();
    const size_t modemChanges = device.modemChanges().size();
    int64_t start = clock.nowMs();
    EXPECT_FALSE(run(0, 32));
    EXPECT_EQ(clock.nowMs(), start);
    EXPECT_TRUE(device.writes().empty());
    EXPECT_EQ(device.modemChanges().size(), modemChanges);
    EXPECT_EQ(host.processEventsCount, 1);
}

using TransactDeathTest = TransactTest;

TEST_F(TransactDeathTest, AssertsTheCommandLength) {
    EXPECT_DEATH(transact(port, 0, command, 31, reply, 32), "32 == cmd_len");
    EXPECT_DEATH(sendOnly(port, 0, command, 33, reply), "32 == cmd_len");
    EXPECT_DEATH(transact(port, 0, nullptr, 32, reply, 32), "cmd != NULL");
    EXPECT_DEATH(transact(port, 0, command, 32, nullptr, 32), "res != NULL");
    EXPECT_DEATH(sendOnly(port, 0, nullptr, 32, reply), "cmd != NULL");
    EXPECT_DEATH(sendOnly(port, 0, command, 32, nullptr), "res != NULL");
}

TEST(Messages, CommErrorAndSettingsDoneHaveTheirExactTextsAndFlags) {
    test::RecordingHost host;
    showCommError(host);
    showSettingsDone(host);
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].title, "通信エラー");
    EXPECT_EQ(
        host.messages[0].text,
        "本体情報の書込みに失敗しました。\n１：通信ケーブルが接続されていない。\n"
        "２：本体の電源が入っていない。\n３：本体が計測状態にある。（この時、通信はできません）\n"
        "以上の点を確認の上、もう一度操作して下さい。");
    EXPECT_EQ(host.messages[0].flags, 16);
    EXPECT_EQ(host.messages[1].title, "ＫＶ設定");
    EXPECT_EQ(host.messages[1].text, "設定は完了しました。");
    EXPECT_EQ(host.messages[1].flags, 64);
}

}  // namespace
}  // namespace kv
