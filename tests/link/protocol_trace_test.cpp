// The protocol trace: what it records of a transaction under faults, that it
// changes nothing the caller sees, and the limit of the check box's file.
#include "link/protocol_trace.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "link/frame.h"
#include "link/recorder_port.h"
#include "link/trace_events.h"
#include "link/tracing_device.h"
#include "model/scripted_responder.h"
#include "model/wire.h"
#include "support/memory_device.h"
#include "support/recording_host.h"
#include "support/scratch_folder.h"
#include "support/virtual_clock.h"

namespace kv {
namespace {

using sim::makeReply;

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class ProtocolTraceTest : public ::testing::Test {
  protected:
    test::ScratchFolder folder;
    test::VirtualClock clock;
    sim::ScriptedResponder recorder;
    test::MemoryDevice device{clock, recorder};
    test::RecordingHost host;
    ProtocolTrace trace{clock, "kvtest"};
    TracingDevice traced{device, trace};
    Link link{traced, clock, host, [](int) { return std::string("/dev/ttyTEST"); }, &trace};
    uint8_t command[32] = {};
    uint8_t reply[kMaxReplyLength] = {};

    std::vector<TraceEvent> events(const std::string& path) {
        size_t skipped = 0;
        auto all = parseTrace(slurp(path), skipped);
        EXPECT_EQ(skipped, 0u);
        return all;
    }
    static std::vector<std::string> names(const std::vector<TraceEvent>& events) {
        std::vector<std::string> n;
        for (const auto& e : events) n.push_back(e.event);
        return n;
    }
};

// Silence, then a reply one byte too long, then the reply: the caller gets
// the reply as without a trace, and the trace holds every step, the bytes that
// the purge threw away among them.
TEST_F(ProtocolTraceTest, RecordsAttemptsBytesTimeOutsAndResetsAndChangesNothing) {
    const auto good = makeReply(80, std::vector<uint8_t>(36, 7));
    auto tooLong = good;
    tooLong.push_back(0x00);
    recorder.onSequence(80, {{}, tooLong, good});
    int error = 0;
    ASSERT_TRUE(trace.writeTo(folder.file("t.jsonl"), error));
    {
        RecorderPort port(link);
        port.configure(38400, 8, 'N', 1.0);
        ASSERT_TRUE(port.open(1));
        ASSERT_TRUE(transact(port, 80, command, 32, reply, good.size()));
        EXPECT_EQ(std::vector<uint8_t>(reply, reply + good.size()), good);
    }
    const auto all = events(folder.file("t.jsonl"));
    EXPECT_EQ(names(all), (std::vector<std::string>{
                              "start",   "open",    "configure",                    // the session
                              "attempt", "purge",   "send",      "timeout",         // silence
                              "attempt", "purge",   "send",      "receive",         // too long
                              "timeout", "reset",   "rts",       "dtr",     "rts",  //
                              "dtr",     "attempt", "purge",     "send",    "receive",  // the reply
                              "rts",     "dtr",     "close"}));
    // The 45 bytes of the long reply are there, and the purge says it dropped them.
    EXPECT_EQ(all[10].bytes, tooLong);
    EXPECT_EQ(all[18].event, "purge");
    EXPECT_NE(slurp(folder.file("t.jsonl")).find("\"event\":\"purge\",\"bytes\":45"),
              std::string::npos);
    EXPECT_EQ(all[20].bytes, good);
    EXPECT_EQ(all[19].bytes, std::vector<uint8_t>(command, command + 32));
    // The in-memory recorder answers 5 ms after the frame; time stamps are the clock's.
    EXPECT_EQ(all[10].timeMs - all[9].timeMs, 5);
    for (size_t i = 1; i < all.size(); ++i) EXPECT_GE(all[i].timeMs, all[i - 1].timeMs);
    EXPECT_NE(slurp(folder.file("t.jsonl"))
                  .find("\"timeout\",\"command\":80,\"attempt\":2,"
                        "\"expected\":44,\"waiting\":45"),
              std::string::npos);
}

// The check box's file: only while the setting asks for it, never beyond its
// limit, and after the older half has gone it still reads line by line.
TEST_F(ProtocolTraceTest, CheckBoxFileFollowsTheSettingAndKeepsToItsLimit) {
    const auto good = makeReply(80, std::vector<uint8_t>(36, 7));
    recorder.on(80, good);
    bool on = false;
    const std::string path = folder.file("kvmanager-trace.jsonl");
    constexpr size_t kCap = 4000;
    trace.followTarget([&] { return on ? path : std::string(); }, kCap);
    auto session = [&](int transactions) {
        RecorderPort port(link);
        port.configure(38400, 8, 'N', 1.0);
        ASSERT_TRUE(port.open(1));
        for (int i = 0; i < transactions; ++i) {
            command[4] = static_cast<uint8_t>(i);
            ASSERT_TRUE(transact(port, 80, command, 32, reply, good.size()));
        }
    };
    session(3);
    struct stat st {};
    EXPECT_NE(::stat(path.c_str(), &st), 0) << "no file while the box is off";
    EXPECT_FALSE(trace.active());

    on = true;
    session(40);
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_LE(static_cast<size_t>(st.st_size), kCap);
    EXPECT_GT(static_cast<size_t>(st.st_size), kCap / 3);
    const auto all = events(path);
    ASSERT_FALSE(all.empty());
    EXPECT_EQ(all.front().event, "dropped");
    EXPECT_EQ(all.back().event, "close");
    EXPECT_EQ(all[all.size() - 4].bytes, good);  // then the close: rts, dtr, close
    EXPECT_EQ(trace.error(), 0);
}

TEST(TraceLines, ReadBackOrRefused) {
    TraceEvent e;
    ASSERT_TRUE(parseTraceLine(R"({"t":12,"event":"send","bytes":"55aa00ff","error":0})", e));
    EXPECT_EQ(e.timeMs, 12);
    EXPECT_EQ(e.event, "send");
    EXPECT_EQ(e.bytes, (std::vector<uint8_t>{0x55, 0xAA, 0x00, 0xFF}));
    ASSERT_TRUE(parseTraceLine(R"({ "t": 3, "event": "open", "device": "/dev/a\"b\\c\u0001",)"
                               R"( "error": 2, "on": true })",
                               e));
    EXPECT_EQ(e.error, 2);
    for (const char* bad : {
             R"({"event":"send"})",                     // no time
             R"({"t":1})",                              // no event
             R"({"t":1,"event":"send","bytes":"5"})",   // half a byte
             R"({"t":1,"event":"send","bytes":"zz"})",  // not hexadecimal
             R"({"t":1,"event":"x","more":{"a":1}})",   // nested
             R"({"t":1,"event":"x"} trailing)",         // more after the object
             R"({"t":1,"event":"x")",                   // cut by a crash
             "",
         })
        EXPECT_FALSE(parseTraceLine(bad, e)) << bad;
}

}  // namespace
}  // namespace kv
