#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "cmd_monitor.h"
#include "model/scripted_responder.h"
#include "monitor/live_monitor.h"
#include "support/live_telegrams.h"
#include "support/memory_device.h"
#include "support/recording_host.h"
#include "support/virtual_clock.h"

namespace kv::tool {
namespace {

MonitorRequest parsed(std::vector<std::string> words, bool ok = true) {
    words.insert(words.begin(), "monitor");
    MonitorRequest request;
    std::string error;
    EXPECT_EQ(parseMonitorRequest(words, request, error), ok) << error;
    EXPECT_EQ(error.empty(), ok);
    return request;
}

TEST(KvtoolMonitorArguments, ValuesAndUsageErrors) {
    MonitorRequest r =
        parsed({"--mode", "4", "--range", "50", "--sensitivity", "12,13,14", "--sample-period", "2",
                "--count", "3", "--seconds", "1.5", "--json"});
    EXPECT_EQ(r.mode, 4);
    EXPECT_EQ(r.rangeG, 50);
    EXPECT_EQ(r.sensitivity, (std::vector<std::string>{"12", "13", "14"}));
    EXPECT_EQ(r.samplePeriodMs, 2);
    EXPECT_EQ(r.count, 3);
    EXPECT_DOUBLE_EQ(r.seconds, 1.5);
    EXPECT_TRUE(r.json);
    for (std::vector<std::string> words : std::vector<std::vector<std::string>>{
             {},
             {"--mode"},
             {"--mode", "0"},
             {"--mode", "5"},
             {"--mode", "1", "--range", "7"},
             {"--mode", "1", "--sample-period", "3"},
             {"--mode", "1", "--sensitivity", "12,13"},
             {"--mode", "1", "--count", "0"},
             {"--mode", "1", "--seconds", "-1"},
             {"--mode", "1", "extra"},
         }) {
        SCOPED_TRACE(::testing::PrintToString(words));
        parsed(words, false);
    }
}

TEST(KvtoolMonitorArguments, SettingsFromTheRequestTheIniOrTheDefaults) {
    struct Case {
        std::vector<std::string> words;
        int savedModel;  // -1: nothing saved
        ModelCode model;
        int range;
        double sensitivityZ;
        int samplePeriod;
    };
    const Case cases[] = {
        {{"--mode", "4"}, -1, 6300, 100, 24.0, 1},
        {{"--mode", "1", "--range", "20", "--sensitivity", "12.5"}, -1, 6100, 20, 12.5, 1},
        {{"--mode", "3"}, 2, 5100, 10, 24.0, 5},  // saved 5100, range 10 G, 5 ms
        {{"--mode", "2"}, 2, 6300, 10, 24.0, 5},  // the saved model is single-axis
        {{"--mode", "1"}, 0, 4100, 10, 24.0, 5},  // a 4100 sends peaks
        {{"--mode", "3"}, 0, 6100, 10, 24.0, 5},  // but no waves
        {{"--mode", "4", "--sample-period", "50"}, 3, 5300, 10, 24.0, 50},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.words));
        PcSettings settings;
        settings.defType = c.savedModel;
        settings.defRange = 2;
        settings.defInterval = 2;
        RecorderState recorder;
        auto view = std::make_unique<DataSet>();
        std::string error;
        ASSERT_TRUE(applyMonitorRequest(parsed(c.words), settings, recorder, *view, error))
            << error;
        EXPECT_EQ(recorder.identity.modelCode, c.model);
        EXPECT_EQ(recorder.identity.sensorRange, c.range);
        EXPECT_DOUBLE_EQ(recorder.info.sensitivity[2], c.sensitivityZ);
        EXPECT_DOUBLE_EQ(recorder.legacyInfo.sensitivity[2], c.sensitivityZ);
        if (isWaveMonitor(parsed(c.words).mode)) {
            EXPECT_EQ(recorder.info.samplePeriodMs, c.samplePeriod);
        }
    }
    PcSettings settings;
    RecorderState recorder;
    auto view = std::make_unique<DataSet>();
    std::string error;
    EXPECT_FALSE(applyMonitorRequest(parsed({"--mode", "2", "--sensitivity", "15,28.01,15"}),
                                     settings, recorder, *view, error));
    EXPECT_NE(error.find("Ｙ軸"), std::string::npos) << error;
}

class KvtoolMonitor : public ::testing::Test {
  protected:
    KvtoolMonitor() : device(clock, recorder) { device.setBaud(38400); }

    // Runs the command and gives its output lines.
    std::vector<std::string> run(std::vector<std::string> words, int expectedExit = 0) {
        MonitorRequest request = parsed(std::move(words));
        std::string error;
        EXPECT_TRUE(applyMonitorRequest(request, settings, state, *view, error)) << error;
        char* text = nullptr;
        size_t size = 0;
        std::FILE* out = open_memstream(&text, &size);
        EXPECT_EQ(monitorCommand(link, 1, 38400, request, state, *view, out, &interrupted),
                  expectedExit);
        std::fclose(out);
        std::vector<std::string> lines;
        std::string all(text, size);
        std::free(text);
        for (size_t start = 0, end; (end = all.find('\n', start)) != std::string::npos;
             start = end + 1)
            lines.push_back(all.substr(start, end - start));
        return lines;
    }

    test::VirtualClock clock;
    test::RecordingHost host;
    sim::ScriptedResponder recorder;
    test::MemoryDevice device;
    Link link{device, clock, host, [](int) { return std::string("/dev/ttyS0"); }};
    PcSettings settings;
    RecorderState state;
    std::unique_ptr<DataSet> view = std::make_unique<DataSet>();
    volatile std::sig_atomic_t interrupted = 0;
};

TEST_F(KvtoolMonitor, OneLinePerTelegramUntilTheCountOfGoodOnes) {
    // With 100 G and 24 mV/G a code of 100 is 26.88 G.
    std::vector<uint8_t> bad = test::livePeakTelegram({{100, -100, 5, 6}});
    bad[5] ^= 1;
    std::vector<uint8_t> bytes;
    for (const auto& t :
         {test::livePeakTelegram({{100, -100, 5, 6}}), bad,
          test::livePeakTelegram({{200, -50, 7, 8}}), test::livePeakTelegram({{300, 0, 9, 0}}),
          test::livePeakTelegram({{400, 0, 9, 0}})})
        bytes.insert(bytes.end(), t.begin(), t.end());
    device.pushInput(bytes, clock.nowMs() + 2000, 260);
    std::vector<std::string> lines = run({"--mode", "1", "--count", "3", "--json"});
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_NE(lines[0].find(R"("kind":"peak","axes":[{"axis":"X","positive":26.88172,)"),
              std::string::npos)
        << lines[0];
    EXPECT_NE(lines[0].find(R"("positiveWidth":5,"negative":-26.88172,)"), std::string::npos)
        << lines[0];
    EXPECT_NE(lines[1].find(R"("kind":"error","message":"電文エラー")"), std::string::npos)
        << lines[1];
    EXPECT_NE(lines[3].find(R"("negative":0,"negativeWidth":0)"), std::string::npos) << lines[3];
}

TEST_F(KvtoolMonitor, PlainLinesShowOverRangeAsTheListDoes) {
    // 500 codes at 100 G and 24 mV/G are 134 G, beyond 110 G.
    device.pushInput(test::livePeakTelegram({{500, -100, 5, 6}}), clock.nowMs() + 2000, 260);
    std::vector<std::string> lines = run({"--mode", "1", "--count", "1"});
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find(" X +OVER 5ms -26.9G 6ms"), std::string::npos) << lines[0];
}

TEST_F(KvtoolMonitor, TriaxialWavesPrintEachPlaneAndTheResultant) {
    // A unit sensitivity makes a code read as that many G.
    device.pushInput(test::liveWaveTelegram({3, 4, 12}), clock.nowMs() + 2000, 260);
    std::vector<std::string> lines =
        run({"--mode", "4", "--range", "100", "--sensitivity", "10", "--count", "1"});
    ASSERT_EQ(lines.size(), 1u);
    // 100 G at 10 mV/G: 0.645 G per code.
    EXPECT_NE(lines[0].find(" X 1.94G 1ms Y 2.58G 1ms Z 7.74G 1ms 合成G 8.39"), std::string::npos)
        << lines[0];
}

TEST_F(KvtoolMonitor, EndsAfterTheSecondsOrAnInterruptAndFailsOnAClosedPort) {
    const int64_t start = clock.nowMs();
    EXPECT_TRUE(run({"--mode", "2", "--seconds", "10"}).empty());
    EXPECT_GE(clock.nowMs() - start, 10'000);
    EXPECT_LE(clock.nowMs() - start, 11'200);  // the session's wake-up second included

    interrupted = 1;
    EXPECT_TRUE(run({"--mode", "2"}).empty());

    device.failOpenWith(2);
    run({"--mode", "2"}, 1);
}

TEST_F(KvtoolMonitor, TheDeadlineIsKeptWhileATelegramTricklesIn) {
    std::vector<uint8_t> bytes = test::liveWaveTelegram({9});
    bytes.insert(bytes.begin(), {0xAA, 0x55});
    device.pushInput(bytes, clock.nowMs() + 1500, 300'000);  // 3 minutes of telegram
    const int64_t start = clock.nowMs();
    EXPECT_TRUE(run({"--mode", "3", "--seconds", "5"}).empty());
    EXPECT_LE(clock.nowMs() - start, 5000 + 100 + 100);  // the port's close sequence included
}

TEST_F(KvtoolMonitor, ALineThatGoesAwayFailsWithThePortMessage) {
    device.hangUpAt(clock.nowMs() + 3000);
    EXPECT_TRUE(run({"--mode", "1", "--seconds", "10"}, 1).empty());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].text.find("ポートとの接続が切れました。"), std::string::npos);
}

}  // namespace
}  // namespace kv::tool
