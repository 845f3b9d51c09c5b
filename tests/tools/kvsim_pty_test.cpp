// The termios device and the transaction over a real pseudo-terminal against
// the kvsim program, in real time. Few and short: the fault logic itself is
// tested on the virtual clock. Only lower bounds of time are asserted here;
// round-trip times and the CPU of waiting are measured in bench/link_bench.cpp.
#include <gtest/gtest.h>
#include <signal.h>

#include <cerrno>
#include <vector>

#include "link/frame.h"
#include "link/recorder_port.h"
#include "link/termios_device.h"
#include "model/recorder_model.h"
#include "model/wire.h"
#include "support/kvsim_process.h"
#include "support/recording_host.h"

namespace kv {
namespace {

// A session as the program opens one: 38400 8-N-1, RTS raised.
struct PtySession {
    explicit PtySession(const std::string& path)
        : link{device, clock, host, [path](int) { return path; }}, port(link) {
        port.configure(38400, 8, 'N', 1.0);
        opened = port.open(1) && port.setModemLines(1);
    }
    bool run(uint8_t cmd, size_t n) {
        reply.assign(n, 0);
        return transact(port, cmd, command, 32, reply.data(), n);
    }
    RealClock clock;
    TermiosDevice device{clock};
    test::RecordingHost host;
    Link link;
    RecorderPort port;
    bool opened = false;
    uint8_t command[32] = {};
    std::vector<uint8_t> reply;
};

TEST(KvsimPty, EchoesFramesAcrossSessionsAndKeepsThePortExclusive) {
    test::KvsimProcess sim({"--echo"});
    ASSERT_TRUE(sim.started()) << sim.error();
    EXPECT_EQ(sim.devicePath().rfind("/dev/pts/", 0), 0u) << sim.devicePath();
    for (int session = 0; session < 2; ++session) {
        SCOPED_TRACE(session);
        PtySession s(sim.devicePath());
        ASSERT_TRUE(s.opened) << s.port.takeLastError();
        EXPECT_TRUE(s.device.isPseudoTerminal());
        // A second opener is refused while the session holds the port.
        TermiosDevice other;
        int err = other.open(sim.devicePath());
        EXPECT_NE(err, 0);
        EXPECT_FALSE(other.isOpen());
        s.command[4] = static_cast<uint8_t>(0x10 + session);
        s.command[26] = 0x0D;  // bytes a cooked tty would translate
        s.command[27] = 0x03;
        ASSERT_TRUE(s.run(0x61, 32));
        EXPECT_EQ(s.reply, std::vector<uint8_t>(s.command, s.command + 32));
        EXPECT_EQ(s.host.processEventsCount, 1);
    }
    // Both sessions closed: the port can be opened again by anyone.
    TermiosDevice later;
    EXPECT_EQ(later.open(sim.devicePath()), 0);
    later.close();
    EXPECT_EQ(sim.closeInputAndWait(), 0);
}

TEST(KvsimPty, RecoversFromAnExtraByteAndFromATrickleOnTheNextAttempt) {
    for (const char* fault : {"--extra-byte", "--trickle"}) {
        SCOPED_TRACE(fault);
        test::KvsimProcess sim({"--reply-length", "191", fault, "1"});
        ASSERT_TRUE(sim.started()) << sim.error();
        PtySession s(sim.devicePath());
        ASSERT_TRUE(s.opened);
        int64_t start = s.clock.nowMs();
        ASSERT_TRUE(s.run(33, 191));
        int64_t took = s.clock.nowMs() - start;
        EXPECT_GE(took, 400);  // the first attempt waited out its idle time-out
        EXPECT_TRUE(sim::isValidFrame(s.reply.data(), 191, 33));
    }
}

TEST(KvsimPty, PacesRepliesAtTheBaudRateAndKeepsAnExtraByteWithTheLast) {
    test::KvsimProcess sim({"--reply-length", "191", "--baud", "38400", "--extra-byte", "1"});
    ASSERT_TRUE(sim.started()) << sim.error();
    PtySession s(sim.devicePath());
    ASSERT_TRUE(s.opened);
    int64_t start = s.clock.nowMs();
    ASSERT_TRUE(s.run(33, 191));
    int64_t took = s.clock.nowMs() - start;
    // The long first reply is refused even though it passed 191 bytes on its
    // way; the second takes its wire time of about 50 ms.
    EXPECT_GE(took, 400 + 2 * 49);
    EXPECT_EQ(s.device.bytesWaiting(), 0u);
}

TEST(KvsimPty, AnswersOnlyOnTheThirdAttempt) {
    test::KvsimProcess sim({"--echo", "--silent", "2"});
    ASSERT_TRUE(sim.started()) << sim.error();
    PtySession s(sim.devicePath());
    ASSERT_TRUE(s.opened);
    int64_t start = s.clock.nowMs();
    ASSERT_TRUE(s.run(0, 32));
    EXPECT_GE(s.clock.nowMs() - start, 2290);  // two idle time-outs and one reset
}

TEST(KvsimPty, AHangUpMidReplyFails) {
    test::KvsimProcess sim({"--reply-length", "191", "--hangup-after", "1"});
    ASSERT_TRUE(sim.started()) << sim.error();
    PtySession s(sim.devicePath());
    ASSERT_TRUE(s.opened);
    ASSERT_TRUE(s.run(33, 191));
    EXPECT_FALSE(s.run(33, 191));           // half a reply, then the device is gone
    EXPECT_NE(s.port.takeLastError(), 0u);  // the writes after the hang-up failed
    EXPECT_EQ(sim.wait(3000), 0);           // kvsim ended by itself
    s.port.close();
}

TEST(KvsimPty, ServesTheRecorderModel) {
    sim::RecorderConfig config;
    config.model = 6300;
    std::string why;
    auto model = sim::makeRecorderModel(config, why);
    ASSERT_TRUE(model) << why;
    std::vector<uint8_t> identity = model->identityReply();

    test::KvsimProcess simulator({"--model", "6300"});
    ASSERT_TRUE(simulator.started()) << simulator.error();
    PtySession s(simulator.devicePath());
    ASSERT_TRUE(s.opened);
    ASSERT_TRUE(s.run(240, identity.size()));
    EXPECT_EQ(s.reply, identity);
}

TEST(KvsimPty, StreamsLiveTelegramsOnItsOwn) {
    test::KvsimProcess simulator({"--model", "5300", "--live", "--live-interval", "60"});
    ASSERT_TRUE(simulator.started()) << simulator.error();
    PtySession s(simulator.devicePath());
    ASSERT_TRUE(s.opened);
    // Joining a running stream may cut a telegram; the next whole one counts.
    uint8_t telegram[32];
    bool got = false;
    for (int tries = 0; tries < 3 && !got; ++tries) {
        s.port.purgeInput();
        got = receiveReply(s.port, telegram, sizeof telegram, 0xE3);
    }
    EXPECT_TRUE(got);
    EXPECT_TRUE(s.device.isOpen());
}

TEST(KvsimProcessLife, EndsOnSignalsAndRefusesBadOptions) {
    {
        test::KvsimProcess sim({"--echo"});
        ASSERT_TRUE(sim.started()) << sim.error();
        EXPECT_EQ(sim.signalAndWait(SIGTERM), 0);
    }
    {
        test::KvsimProcess sim({"--model", "5300", "--mode", "wave", "--seed", "7"});
        ASSERT_TRUE(sim.started()) << sim.error();
        EXPECT_EQ(sim.signalAndWait(SIGINT), 0);
    }
    for (std::vector<std::string> bad : {std::vector<std::string>{"--model", "4200"},
                                         {"--mode", "burst"},
                                         {"--silent"},
                                         {"--frobnicate"}}) {
        test::KvsimProcess sim(bad, 3000);
        EXPECT_FALSE(sim.started());
        EXPECT_EQ(sim.wait(3000), 2);
    }
    test::KvsimProcess missing({"--description", "/nonexistent/recorder.txt"}, 3000);
    EXPECT_FALSE(missing.started());
    EXPECT_EQ(missing.wait(3000), 1);
}

}  // namespace
}  // namespace kv
