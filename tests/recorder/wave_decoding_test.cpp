#include "recorder/wave_decoding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "recorder/live_telegrams.h"

namespace kv {
namespace {

TEST(Unpack, TwoHighBitsPerSampleFromTheFirstByte) {
    const uint8_t group[5] = {0x1B, 0x00, 0xFF, 0x00, 0xFF};  // high bits 00 01 10 11
    float s[4];
    unpackSamples(group, s);
    // Raw codes 0, 511, 512, 1023.
    EXPECT_EQ(s[0], 512);
    EXPECT_EQ(s[1], 1023);
    EXPECT_EQ(s[2], 512);
    EXPECT_EQ(s[3], 1);
}

TEST(Unpack, CentreReadsOnlyTenBits) {
    EXPECT_EQ(centre(0x3FF), 1);
    EXPECT_EQ(centre(0x200), 512);
    EXPECT_EQ(centre(0xFFFF), 1);  // header bytes are not trusted to be 10 bits
    EXPECT_EQ(centre(0x0401), 513);
}

std::vector<float> flat() {
    return std::vector<float>(kWaveSamples, 512.0f);
}

TEST(FindPeak, WidthIsTheRunThatHoldsThePeak) {
    auto s = flat();
    for (int i = 10; i < 20; ++i) s[i] = 600;
    s[15] = 700;
    float peak = 0;
    EXPECT_EQ(findPeak(s.data(), peak, 2), 20);
    EXPECT_EQ(peak, 700);
}

TEST(FindPeak, DeadBandSampleEndsARunAndNegativePeaksCount) {
    auto s = flat();
    for (int i = 100; i < 110; ++i) s[i] = 400;
    s[104] = 514;  // inside the dead band: splits the run into 4 and 5
    s[107] = 300;
    float peak = 0;
    EXPECT_EQ(findPeak(s.data(), peak, 1), 5);
    EXPECT_EQ(peak, 300);
}

TEST(FindPeak, QuietSamplesAlternateSidesSoTheLastOneMayJoinThePulse) {
    // The first sample has no dead band (514 is on the high side); every quiet
    // sample after it takes the side opposite to its predecessor. A pulse of
    // three high samples at `at` therefore follows a quiet sample on the high
    // side when `at` is odd, and that sample counts into the pulse.
    for (int at = 1; at < 8; ++at) {
        auto s = flat();
        s[0] = 514;
        s[at] = 520;
        s[at + 1] = 530;
        s[at + 2] = 520;
        float peak = 0;
        EXPECT_EQ(findPeak(s.data(), peak, 1), at % 2 == 1 ? 4 : 3) << at;
        EXPECT_EQ(peak, 530);
    }
    // From 512 at index 0 (high) the quiet samples at odd indexes are low: a
    // low pulse at an even index takes the quiet sample before it.
    for (int at = 2; at < 6; ++at) {
        auto s = flat();
        s[at] = 500;
        s[at + 1] = 490;
        float peak = 0;
        EXPECT_EQ(findPeak(s.data(), peak, 1), at % 2 == 0 ? 3 : 2) << at;
        EXPECT_EQ(peak, 490);
    }
    // A peak inside the dead band is one sample wide.
    auto s = flat();
    s[9] = 509;
    float peak = 0;
    EXPECT_EQ(findPeak(s.data(), peak, 4), 4);
    EXPECT_EQ(peak, 509);
}

TEST(FindPeak, FirstOfEqualDeviationsAndARunToTheEnd) {
    auto s = flat();
    s[3] = 412;                                           // deviation 100, low side
    for (int i = 400; i < kWaveSamples; ++i) s[i] = 612;  // also 100, later
    float peak = 0;
    EXPECT_EQ(findPeak(s.data(), peak, 10), 10);
    EXPECT_EQ(peak, 412);

    s[3] = 512;
    EXPECT_EQ(findPeak(s.data(), peak, 10), 1120);  // 112 samples to the end
    EXPECT_EQ(peak, 612);
}

TEST(FindPeak, PeakAtTheFirstSampleAndWidthSaturates) {
    auto s = std::vector<float>(kWaveSamples, 1023.0f);
    float peak = 0;
    EXPECT_EQ(findPeak(s.data(), peak, 255), 65535);  // 512 x 255 ms does not fit
    EXPECT_EQ(peak, 1023);
}

TEST(FindPeak, NoDeviationGivesNoPeak) {
    auto s = flat();
    s[7] = 512.9f;  // truncates to 512
    float peak = -1;
    EXPECT_EQ(findPeak(s.data(), peak, 5), 0);
    EXPECT_EQ(peak, 512);
}

TEST(ScaleBlock, ConvertsAndMarksOverRange) {
    WaveBlock b;
    for (float& v : b.samples) v = 512;
    b.samples[0] = 612;
    b.samples[1] = 1023;
    b.samples[2] = 1;
    b.samples[3] = 512 - 170;  // -54.8 G: inside 110 % of 50 G
    b.peak = 612;
    scaleBlock(b, 50, 10.0);
    EXPECT_NEAR(b.samples[0], 32.258, 0.001);
    EXPECT_EQ(b.samples[1], 60.0f);
    EXPECT_EQ(b.samples[2], -60.0f);
    EXPECT_NEAR(b.samples[3], -54.839, 0.001);
    EXPECT_EQ(b.samples[4], 0.0f);
    EXPECT_NEAR(b.peak, 32.258, 0.001);
}

TEST(ScaleBlock, SensitivityZeroGivesZeroG) {
    WaveBlock b;
    for (float& v : b.samples) v = 1023;
    b.peak = 1023;
    scaleBlock(b, 50, 0.0);
    for (float v : b.samples) ASSERT_EQ(v, 0.0f);
    EXPECT_EQ(b.peak, 0.0f);
}

// One axis of wave groups with a single sample of code c at index i.
std::vector<uint8_t> groupsWith(int i, int code) {
    std::vector<uint8_t> g(kBlockGroupBytes, 0);
    for (int k = 0; k < kWaveSamples / 4; ++k) g[k * 5] = 0;  // raw 0 = centred 512
    int k = i / 4, j = i % 4;
    g[k * 5] |= static_cast<uint8_t>((code >> 8) << (6 - 2 * j));
    g[k * 5 + 1 + j] = static_cast<uint8_t>(code & 0xFF);
    return g;
}

TEST(LiveTelegrams, TriaxialWaveScalesEachAxisWithItsSensitivityAndSumsThePeaks) {
    // Peaks of 3, 4 and 12 G at range 50 G: code deviation d = G x S / (50 x 100/31 x 0.02).
    std::vector<uint8_t> t(liveWaveLength(3), 0);
    LiveWaveSetup setup{50, 1, {10.0, 20.0, 5.0}};
    const double gPerCode10 = 50 * 3.225806451612903 * 0.02 / 10.0;
    auto codeFor = [&](double g, double s) {
        return static_cast<int>(std::lround(g / (gPerCode10 * 10.0 / s)));
    };
    auto put = [&](int axis, int code) {
        auto g = groupsWith(0, code);
        std::copy(g.begin(), g.end(), t.begin() + 4 + axis * kBlockGroupBytes);
    };
    put(0, codeFor(3, 10.0));
    put(1, codeFor(4, 20.0));
    put(2, codeFor(12, 5.0));
    WaveBlock x, y, z;
    WaveBlock* planes[3] = {&x, &y, &z};
    ASSERT_TRUE(decodeLiveWaveTelegram(t.data(), t.size(), 45000.5, setup, planes));
    const int dx = codeFor(3, 10.0), dy = codeFor(4, 20.0), dz = codeFor(12, 5.0);
    EXPECT_FLOAT_EQ(x.peak, static_cast<float>(dx * gPerCode10));
    EXPECT_FLOAT_EQ(y.peak, static_cast<float>(dy * gPerCode10 / 2));
    EXPECT_FLOAT_EQ(z.peak, static_cast<float>(dz * gPerCode10 * 2));
    EXPECT_NEAR(x.resultantG, std::sqrt(x.peak * x.peak + y.peak * y.peak + z.peak * z.peak), 1e-4);
    EXPECT_EQ(z.resultantG, x.resultantG);
    EXPECT_EQ(y.time, 45000.5);
    EXPECT_EQ(x.width, 1);

    EXPECT_FALSE(decodeLiveWaveTelegram(t.data(), 647, 0, setup, planes));
}

TEST(LiveTelegrams, PeakGroupsSignedAndUnsigned) {
    const uint8_t t[32] = {0x55, 0xAA, 0xE3, 0x1C, 0xFF, 0x38, 0xFF, 0x38, 0x00, 0x0A,
                           0x00, 0x14, 0x00, 0x01, 0x80, 0x00, 0xFF, 0xFF, 0xFF, 0xFF};
    PeakRecord row;
    row.time[0] = row.time[1] = row.time[2] = 99;
    ASSERT_TRUE(decodeLivePeakTelegram(t, 32, row));
    EXPECT_EQ(row.peak[0], 65336);
    EXPECT_EQ(row.peak[1], -200);
    EXPECT_EQ(row.width[0], 10);
    EXPECT_EQ(row.width[1], 20);
    EXPECT_EQ(row.peak[3], -32768);
    EXPECT_EQ(row.width[3], 65535);
    EXPECT_EQ(row.time[2], 0);

    PeakRecord single;
    single.time[1] = 7;
    ASSERT_TRUE(decodeLivePeakTelegram(t, 16, single));
    EXPECT_EQ(single.time[1], 7);  // Y untouched
    EXPECT_FALSE(decodeLivePeakTelegram(t, 17, single));
}

}  // namespace
}  // namespace kv
