#include "model/recorder_model.h"

#include <gtest/gtest.h>

#include "model/wire.h"
#include "recorder/index_commands.h"
#include "recorder/live_telegrams.h"
#include "recorder/session.h"
#include "recorder_line.h"

namespace kv::test {
namespace {

std::unique_ptr<sim::RecorderModel> modelOf(int code, bool wave = false, unsigned seed = 1) {
    sim::RecorderConfig config;
    config.model = code;
    config.waveMode = wave;
    config.seed = seed;
    config.now = [] { return 41703.5; };
    std::string error;
    auto m = sim::makeRecorderModel(config, error);
    EXPECT_TRUE(m) << error;
    return m;
}

std::vector<uint8_t> ask(sim::Responder& r, uint8_t cmd, std::vector<uint8_t> payload = {}) {
    auto f = sim::makeCommand(cmd, payload);
    return r.respond(f.data(), f.size());
}

TEST(RecorderModel, EachGenerationAnswersOnlyItsOwnCommands) {
    auto first = modelOf(4300);
    auto later = modelOf(6100);
    for (uint8_t cmd : {0x00, 0x01, 0x02, 0x03, 0x10, 0x11}) {
        EXPECT_FALSE(ask(*first, cmd).empty()) << int(cmd);
        EXPECT_TRUE(ask(*later, cmd).empty()) << int(cmd);
    }
    for (uint8_t cmd : {0xF0, 0x50, 0x51, 0x52, 0x53, 0x60, 0x61, 0x70, 0x71}) {
        EXPECT_TRUE(ask(*first, cmd).empty()) << int(cmd);
        EXPECT_FALSE(ask(*later, cmd).empty()) << int(cmd);
    }
    const std::pair<uint8_t, size_t> lengths[] = {{0x20, 248}, {0x21, 5 * 12 + 11}};
    for (auto [cmd, n] : lengths) {
        std::vector<uint8_t> r = ask(*later, cmd, {0, 0, 5});
        ASSERT_EQ(r.size(), n);
        EXPECT_TRUE(sim::isValidFrame(r.data(), r.size(), cmd));
    }
    EXPECT_EQ(ask(*later, 0x71, {0, 0, 1}).size(), 658u);
    EXPECT_EQ(ask(*later, 0x70).size(), 208u);
    EXPECT_EQ(ask(*later, 0x50).size(), 44u);
    EXPECT_EQ(ask(*modelOf(6300), 0x21, {0, 0, 5}).size(), 5u * 36 + 11);

    // A frame with a broken CRC or trailer gets no answer.
    auto f = sim::makeCommand(0x50);
    f[29] ^= 1;
    EXPECT_TRUE(later->respond(f.data(), f.size()).empty());
    f = sim::makeCommand(0x50);
    f[31] = 0;
    EXPECT_TRUE(later->respond(f.data(), f.size()).empty());
    EXPECT_TRUE(later->respond(f.data(), 31).empty());
}

TEST(RecorderModel, SameSeedSameRecorder) {
    auto a = modelOf(5300, true, 7), b = modelOf(5300, true, 7), c = modelOf(5300, true, 8);
    EXPECT_EQ(ask(*a, 0x71, {0, 3, 2}), ask(*b, 0x71, {0, 3, 2}));
    EXPECT_NE(ask(*a, 0x71, {0, 3, 2}), ask(*c, 0x71, {0, 3, 2}));
    EXPECT_EQ(a->nextTelegram(), b->nextTelegram());
}

TEST(RecorderModel, LiveTelegramsDecodeAsTheMonitorReadsThem) {
    for (int code : {5100, 6300}) {
        auto peak = modelOf(code);
        const int axes = axisCount(code);
        std::vector<uint8_t> t = peak->nextTelegram();
        ASSERT_EQ(t.size(), livePeakLength(axes));
        EXPECT_TRUE(sim::isValidFrame(t.data(), t.size(), kLivePeakCode));
        PeakRecord row;
        ASSERT_TRUE(decodeLivePeakTelegram(t.data(), t.size(), row));
        sim::SimPeakRecord expected = sim::livePeakRecord(peak->data(), 0);
        EXPECT_EQ(row.peak[0], expected[0].positive);
        EXPECT_EQ(row.peak[1], expected[0].negative);
        EXPECT_EQ(row.width[1], expected[0].negativeWidth);

        auto wave = modelOf(code, true);
        t = wave->nextTelegram();
        ASSERT_EQ(t.size(), liveWaveLength(axes));
        EXPECT_TRUE(sim::isValidFrame(t.data(), t.size(), kLiveWaveCode));
        WaveBlock x, y, z;
        WaveBlock* planes[3] = {&x, &y, &z};
        LiveWaveSetup setup{50, 1, {10, 10, 10}};
        ASSERT_TRUE(decodeLiveWaveTelegram(t.data(), t.size(), 1.0, setup, planes));
        sim::SimWaveBlock b = sim::liveWaveBlock(wave->data(), 0);
        const double gPerCode = 50 * 2.0 / 31.0 / 10.0;
        EXPECT_NEAR(x.peak, b.axes[0].amplitude * gPerCode, 2.5 * gPerCode);
        if (axes == 3) {
            EXPECT_NEAR(z.peak, b.axes[2].amplitude * gPerCode, 2.5 * gPerCode);
        }
    }
}

TEST(RecorderModel, DescriptionErrorsNameTheLine) {
    sim::RecorderConfig config;
    std::string error;
    config.descriptionText = "model 5300\nrange fifty\n";
    EXPECT_FALSE(sim::makeRecorderModel(config, error));
    EXPECT_NE(error.find("line 2 (range)"), std::string::npos) << error;
    config.descriptionText = "start 2014/03/05 09:00:00\n";
    EXPECT_FALSE(sim::makeRecorderModel(config, error));
    EXPECT_NE(error.find("'measurement' line first"), std::string::npos) << error;
    config.descriptionText = "measurement\nraw 01 02\n";
    EXPECT_FALSE(sim::makeRecorderModel(config, error));
    config.description = "/nonexistent/recorder.txt";
    config.descriptionText.clear();
    EXPECT_FALSE(sim::makeRecorderModel(config, error));
    // The plain factory still gives a working recorder.
    auto fallback = sim::makeRecorderModel(config);
    EXPECT_FALSE(ask(*fallback, 0x50).empty());
}

using RecorderModelLine = RecorderLine;

TEST_F(RecorderModelLine, RawIndexBytesWithBrokenBcdAreKeptAsReceived) {
    use(R"(model 5300
measurement
raw 9A 1F 00 25 99 FF  00 00 00 00 00 00  53 00 00 09  00 00 00 00  00 00 00 03
records 3
measurement
records 4
)");
    RecorderSession s(*link, 1, 38400);
    MeasurementIndex index{};
    MeasurementCounts counts{};
    ASSERT_TRUE(readMeasurementIndex(s, index, counts));
    const auto& e = index[0];
    EXPECT_EQ(e.startTime.year, 2000);  // 0x9A reads 100, above the window: 1900 + 100
    EXPECT_EQ(e.startTime.month, 25);
    EXPECT_EQ(e.startTime.day, 0);
    EXPECT_EQ(e.startTime.hour, 25);
    EXPECT_EQ(e.startTime.second, 165);
    EXPECT_EQ(e.recordPeriod, 9);
    EXPECT_EQ(counts[0], 3);
    EXPECT_EQ(index[1].firstRecord, 3u);
    EXPECT_EQ(counts[1], 4);
}

}  // namespace
}  // namespace kv::test
