#include "monitor/live_monitor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <vector>

#include "link/link.h"
#include "link/recorder_port.h"
#include "model/scripted_responder.h"
#include "recorder/value_texts.h"
#include "support/live_telegrams.h"
#include "support/memory_device.h"
#include "support/recording_host.h"
#include "support/virtual_clock.h"

namespace kv::test {
namespace {

// With this sensitivity at 100 G a raw code converts to exactly its own value in G.
constexpr double kUnitSensitivity = 100 * 3.225806451612903 * 0.02;
constexpr int kBaud = 38400;

class LiveMonitorTest : public ::testing::Test {
  protected:
    LiveMonitorTest()
        : device(clock, recorder),
          link{device, clock, host, [](int n) { return "COM" + std::to_string(n); }},
          monitor(view, state) {
        setUp(5100, 1);
        device.setBaud(kBaud);
        monitor.onStatus = [this](const std::string& s) { statuses.push_back(s); };
        monitor.onTelegram = [this](const LiveTelegram& t) {
            outcomes.push_back(t);
            faults.push_back(t.fault);
            // What the telegram carried, read from it alone: positive peaks or plane peaks.
            std::vector<float> p;
            for (size_t a = 0; a < static_cast<size_t>(t.axes); ++a) {
                if (t.kind == LiveOutcome::Peak) p.push_back(t.row->peak[2 * a]);
                if (t.kind == LiveOutcome::Wave) p.push_back(t.planes[a]->peak);
            }
            carried.push_back(p);
        };
    }

    void setUp(ModelCode model, int mode) {
        state.identity.modelCode = model;
        state.identity.sensorRange = 100;
        state.info.sensitivity = {kUnitSensitivity, kUnitSensitivity, kUnitSensitivity};
        state.info.samplePeriodMs = 1;
        state.identity.waveData = isWaveMonitor(mode) ? 1 : 0;
        monitor.monitorMode = mode;
        monitor.clearView();
    }

    // Bytes paced at the baud rate, one telegram right behind the other.
    void send(const std::vector<std::vector<uint8_t>>& telegrams, int64_t atMs) {
        std::vector<uint8_t> bytes;
        for (const auto& t : telegrams) bytes.insert(bytes.end(), t.begin(), t.end());
        device.pushInput(bytes, atMs, 10'000'000 / kBaud);
    }

    // Runs the receive loop on an open port until it is stopped after forMs
    // of virtual time (as 停止 would be, through the events it lets through).
    LiveEnd listen(int64_t forMs) {
        const int64_t end = clock.nowMs() + forMs;
        host.onProcessEvents = [this, end] {
            eventTimes.push_back(clock.nowMs());
            if (clock.nowMs() >= end) monitor.stop();
        };
        RecorderPort port(link);
        port.configure(kBaud, 8, 'N', 1);
        EXPECT_TRUE(port.open(1));
        const LiveEnd ending = monitor.ReceiveLoop(port);
        loopEndMs = clock.nowMs();  // before the port's close sequence
        return ending;
    }

    size_t count(LiveMonitor::Outcome o) const {
        return static_cast<size_t>(std::count(outcomes.begin(), outcomes.end(), o));
    }

    VirtualClock clock;
    RecordingHost host;
    sim::ScriptedResponder recorder;
    MemoryDevice device;
    Link link;
    RecorderState state;
    DataSet view;
    LiveMonitor monitor;
    std::vector<std::string> statuses;
    std::vector<LiveMonitor::Outcome> outcomes;
    std::vector<TelegramFault> faults;
    std::vector<std::vector<float>> carried;
    std::vector<int64_t> eventTimes;
    int64_t loopEndMs = 0;
};

TEST_F(LiveMonitorTest, BackToBackBurstIsReceivedWholeAndTheRingWrapsAtThe101st) {
    std::vector<std::vector<uint8_t>> burst;
    for (int i = 0; i < 101; ++i)
        burst.push_back(livePeakTelegram(
            {{static_cast<uint16_t>(i + 2), static_cast<int16_t>(-(i + 2)), 12, 3}}));
    send(burst, clock.nowMs() + 500);
    listen(2000);

    EXPECT_EQ(count(LiveMonitor::Outcome::Peak), 101u);
    EXPECT_EQ(count(LiveMonitor::Outcome::Error), 0u);
    ASSERT_EQ(carried.size(), 101u);
    for (size_t i = 0; i < carried.size(); ++i)
        ASSERT_EQ(carried[i], std::vector<float>{static_cast<float>(i + 2)});
    // The 101st overwrote row 0; the separator of the stop went into row 1.
    EXPECT_EQ(view.lastIndex, 99);
    EXPECT_EQ(view.currentIndex, 2);
    EXPECT_FLOAT_EQ(view.peakRows[0].peak[0], 102);
    EXPECT_EQ(view.peakRows[1].time[0], 0);
    EXPECT_FLOAT_EQ(view.peakRows[99].peak[0], 101);
    EXPECT_FLOAT_EQ(view.peakRows[99].peak[1], -101);
    EXPECT_EQ(view.peakRows[99].width[0], 12);
    EXPECT_NE(view.peakRows[99].time[0], 0);

    // The run keeps all of them, in order, for saving.
    const LiveRun& run = monitor.run();
    ASSERT_EQ(run.count, 101);
    for (int i = 0; i < 101; ++i) ASSERT_FLOAT_EQ(run.records.peakRows[i].peak[0], i + 2);
    EXPECT_LE(run.firstTime, run.lastTime);
}

TEST_F(LiveMonitorTest, StoppingAndRestartingLeavesOneSeparatorRowBetweenTheRuns) {
    send({livePeakTelegram({{20, -20, 1, 1}}), livePeakTelegram({{21, -21, 1, 1}})},
         clock.nowMs() + 500);
    listen(1500);
    send({livePeakTelegram({{30, -30, 1, 1}})}, clock.nowMs() + 500);
    listen(1500);

    EXPECT_EQ(count(LiveMonitor::Outcome::Peak), 3u);
    EXPECT_NE(view.peakRows[0].time[0], 0);
    EXPECT_NE(view.peakRows[1].time[0], 0);
    EXPECT_EQ(view.peakRows[2].time[0], 0);  // the first run's end
    EXPECT_FLOAT_EQ(view.peakRows[3].peak[0], 30);
    EXPECT_EQ(view.peakRows[4].time[0], 0);
    EXPECT_EQ(view.lastIndex, 4);
    EXPECT_EQ(view.currentIndex, 5);
    EXPECT_EQ(monitor.run().count, 1);  // only the current run is kept
}

TEST_F(LiveMonitorTest, BrokenTelegramsAreReportedAndTheNextGoodOneIsShown) {
    // A wave telegram cut off by the line, then a good one after a pause.
    setUp(5100, 3);
    std::vector<uint8_t> wave = liveWaveTelegram({3});
    send({std::vector<uint8_t>(wave.begin(), wave.begin() + 600)}, clock.nowMs() + 500);
    send({wave}, clock.nowMs() + 1500);
    listen(3000);
    EXPECT_EQ(outcomes, (std::vector{LiveMonitor::Outcome::Error, LiveMonitor::Outcome::Wave}));
    EXPECT_EQ(faults, (std::vector{TelegramFault::Cut, TelegramFault::None}));
    EXPECT_NE(std::find(statuses.begin(), statuses.end(), liveText::kTelegramError),
              statuses.end());
    EXPECT_EQ(view.lastIndex, 2);
    EXPECT_EQ(view.currentIndex, 1);
    EXPECT_FLOAT_EQ(view.waveRecords[0][1].peak, 3);
}

TEST_F(LiveMonitorTest, AGoodTelegramRightBehindABadOneIsNotLost) {
    std::vector<uint8_t> bad = livePeakTelegram({{5, -5, 1, 1}});
    bad[6] ^= 0xFF;  // the CRC no longer fits
    send({bad, livePeakTelegram({{40, -40, 1, 1}})}, clock.nowMs() + 500);
    listen(1500);
    EXPECT_EQ(outcomes, (std::vector{LiveMonitor::Outcome::Error, LiveMonitor::Outcome::Peak}));
    EXPECT_EQ(faults, (std::vector{TelegramFault::Invalid, TelegramFault::None}));
    EXPECT_FLOAT_EQ(view.peakRows[0].peak[0], 40);
    EXPECT_EQ(statuses.back(), "");
}

TEST_F(LiveMonitorTest, JoiningARunningStreamDropsOnlyThePartTelegram) {
    std::vector<uint8_t> first = livePeakTelegram({{10, -10, 1, 1}});
    send({std::vector<uint8_t>(first.begin() + 5, first.end()), livePeakTelegram({{11, -11, 1, 1}}),
          livePeakTelegram({{12, -12, 1, 1}})},
         clock.nowMs());
    listen(1500);
    EXPECT_EQ(count(LiveMonitor::Outcome::Peak), 2u);
    EXPECT_EQ(count(LiveMonitor::Outcome::Error), 0u);
    EXPECT_FLOAT_EQ(view.peakRows[0].peak[0], 11);
    EXPECT_FLOAT_EQ(view.peakRows[1].peak[0], 12);
}

TEST_F(LiveMonitorTest, TriaxialWavesAlternateRecordsAndCarryTheResultant) {
    setUp(5300, 4);
    send({liveWaveTelegram({3, 4, 12})}, clock.nowMs() + 500);
    send({liveWaveTelegram({6, 8, 24})}, clock.nowMs() + 1500);
    listen(2500);
    ASSERT_EQ(count(LiveMonitor::Outcome::Wave), 2u);
    EXPECT_EQ(carried, (std::vector<std::vector<float>>{{3, 4, 12}, {6, 8, 24}}));
    // The first stays intact in record 1 while the second fills record 0.
    EXPECT_EQ(view.currentIndex, 0);
    const float peaks[2][3] = {{6, 8, 24}, {3, 4, 12}};
    for (int record = 0; record < 2; ++record) {
        for (int p = 0; p < 3; ++p)
            EXPECT_FLOAT_EQ(view.waveRecords[p][record].peak, peaks[record][p]);
    }
    for (int p = 0; p < 3; ++p) {
        EXPECT_NEAR(view.waveRecords[p][1].resultantG, 13.0, 1e-5);
        EXPECT_EQ(valueText(view.waveRecords[p][1].resultantG), "13.0");
    }
    EXPECT_EQ(monitor.run().count, 2);
    EXPECT_FLOAT_EQ(monitor.run().records.waveRecords[2][0].peak, 12);
}

TEST_F(LiveMonitorTest, AnIdleMonitorWaitsOnTheLineAndStillHandlesEventsOften) {
    listen(10'000);
    EXPECT_TRUE(outcomes.empty());
    // Events at least every wait slice, and not many more than that many times.
    int64_t longest = 0;
    for (size_t i = 1; i < eventTimes.size(); ++i)
        longest = std::max(longest, eventTimes[i] - eventTimes[i - 1]);
    EXPECT_LE(longest, LiveMonitor::kWaitSliceMs);
    EXPECT_LE(eventTimes.size(), 10'000u / LiveMonitor::kWaitSliceMs + 50);
}

TEST_F(LiveMonitorTest, APortThatDoesNotOpenIsToldAtOnceAndNotListenedTo) {
    device.failOpenWith(EACCES);
    // Should the loop run after all, stop it rather than hang the test.
    int rounds = 0;
    host.onProcessEvents = [&] {
        if (++rounds > 1000) monitor.stop();
    };
    const LiveEnd end = runLiveSession(link, 1, kBaud, monitor);
    EXPECT_EQ(end.reason, LiveEnd::Reason::NoLine);
    EXPECT_EQ(end.error, static_cast<uint32_t>(EACCES));
    EXPECT_NE(end.message.find("ポートが開けません。"), std::string::npos);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].title, "通信エラー");
    EXPECT_NE(host.messages[0].text.find("ポートが開けません。"), std::string::npos);
    EXPECT_TRUE(outcomes.empty());
    EXPECT_LE(rounds, 1000);
}

// What arrives while the monitor is to stop or the line goes away: bytes paced
// gapUs apart from 100 ms on, in the mode given.
struct LineCase {
    const char* state;
    int mode;
    std::vector<uint8_t> bytes;
    int64_t gapUs;
};

std::vector<uint8_t> afterTrailer(std::vector<uint8_t> telegram) {
    telegram.insert(telegram.begin(), {0xAA, 0x55});  // a boundary, then the telegram
    return telegram;
}

const LineCase kLineCases[] = {
    {"an idle line", 1, {}, 0},
    {"noise trickling into the boundary search", 1, std::vector<uint8_t>(50, 0x11), 300'000},
    {"noise flooding in at 1200 baud", 1, std::vector<uint8_t>(2000, 0x11), 8'333},
    {"a peak telegram trickling in", 2, afterTrailer(livePeakTelegram({{1, -1, 1, 1}, {}, {}})),
     300'000},
    {"a wave telegram trickling in", 3, afterTrailer(liveWaveTelegram({9})), 300'000},
    {"a wave telegram at 1200 baud", 4, afterTrailer(liveWaveTelegram({9, 9, 9})), 8'333},
};

class LiveMonitorLineTest : public LiveMonitorTest, public ::testing::WithParamInterface<LineCase> {
  protected:
    void SetUp() override {
        setUp(5300, GetParam().mode);
        device.pushInput(GetParam().bytes, clock.nowMs() + 100, GetParam().gapUs);
    }
};

// 停止, a signal or kvtool's deadline is heard within a tenth of a second
// whatever the loop waits for, even while bytes come too slowly ever to time
// out a telegram; the telegram cut short by it is no error.
TEST_P(LiveMonitorLineTest, AStopIsHeardWithinATenthOfASecond) {
    const int64_t stopAt = clock.nowMs() + 2000;
    const LiveEnd end = listen(2000);
    EXPECT_EQ(end.reason, LiveEnd::Reason::Stopped);
    EXPECT_LE(loopEndMs - stopAt, 100);
    EXPECT_FALSE(monitor.liveRunning);
    EXPECT_EQ(count(LiveMonitor::Outcome::Error), 0u);
}

// A line that hangs up ends the loop with the port message, in any state; the
// window and kvtool are told once, through the host.
TEST_P(LiveMonitorLineTest, AHangUpEndsItWithThePortMessage) {
    const int64_t goneAt = clock.nowMs() + 1000 + LiveMonitor::kIdleTimeoutMs;
    device.hangUpAt(goneAt);
    host.onProcessEvents = [this] {
        if (clock.nowMs() > 60'000'000) monitor.stop();  // a loop that does not notice
    };
    int64_t toldAtMs = 0;
    host.onMessage = [&](const RecordingHost::Message&) { toldAtMs = clock.nowMs(); };
    const LiveEnd end = runLiveSession(link, 1, kBaud, monitor);
    EXPECT_EQ(end.reason, LiveEnd::Reason::LineLost);
    EXPECT_EQ(end.error, static_cast<uint32_t>(EIO));
    EXPECT_NE(end.message.find("ポートとの接続が切れました。"), std::string::npos) << end.message;
    EXPECT_NE(end.message.find("COM1: "), std::string::npos) << end.message;
    EXPECT_LE(toldAtMs - goneAt, 100);
    EXPECT_FALSE(monitor.liveRunning);
    EXPECT_EQ(count(LiveMonitor::Outcome::Error), 0u);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].title, "通信エラー");
    EXPECT_EQ(host.messages[0].text, end.message);
}

void PrintTo(const LineCase& c, std::ostream* out) {
    *out << c.state;
}

INSTANTIATE_TEST_SUITE_P(States, LiveMonitorLineTest, ::testing::ValuesIn(kLineCases),
                         [](const ::testing::TestParamInfo<LineCase>& info) {
                             return "Case" + std::to_string(info.index);
                         });

}  // namespace
}  // namespace kv::test
