#include "recorder/wave_commands.h"

#include <cmath>

#include "recorder/session.h"
#include "recorder/wave_decoding.h"
#include "recorder_line.h"

namespace kv::test {
namespace {

using WaveCommands = RecorderLine;

// A block reply: elapsed 3600 s, header code 0x3FF, and a single sample 5 of
// raw code 10 (centred 522) on a flat line.
std::vector<uint8_t> blockReply(const uint8_t*, size_t) {
    std::vector<uint8_t> p(650, 0);
    p[4] = 0x00;
    p[5] = 0x00;
    p[6] = 0x0E;
    p[7] = 0x10;
    p[8] = 0x03;
    p[9] = 0xFF;
    p[10 + 5 + 2] = 10;  // group 1, second sample
    return sim::makeReply(0x71, p);
}

TEST_F(WaveCommands, EachAxisIsScaledWithItsSensitivity) {
    script().on(0x71, blockReply);
    RecorderIdentity id;
    id.sensorRange = 50;
    RecorderInfo info;
    info.sensitivity = {10.0, 20.0, 5.0};
    info.samplePeriodMs = 2;
    const DateTime start = *encodeDateTime({2014, 3, 5, 9, 0, 0, 0});
    const double gPerCode = 50 * 3.225806451612903 * 0.02;

    RecorderSession s(*link, 1, 38400);
    WaveBlock b;
    ASSERT_TRUE(readWaveBlockAxis(s, 0x1234, b, 3, start, id, info));
    EXPECT_EQ(payloadOf(0)[0], 0x12);
    EXPECT_EQ(payloadOf(0)[1], 0x34);
    EXPECT_EQ(payloadOf(0)[2], 3);
    EXPECT_EQ(b.blockNumber, 0x1234);
    EXPECT_EQ(formatDateTimeText(b.time), "2014/03/05 10:00:00");
    EXPECT_FLOAT_EQ(b.peak, static_cast<float>(10 * gPerCode / 5.0));
    EXPECT_FLOAT_EQ(b.samples[5], b.peak);
    EXPECT_EQ(b.samples[4], 0.0f);
    // The spike at sample 5 runs on from the quiet sample 4, which falls on
    // the high side (quiet samples alternate from sample 0): 2 x 2 ms.
    EXPECT_EQ(b.width, 4);

    ASSERT_TRUE(readWaveBlockAxis(s, 0, b, 2, start, id, info));
    EXPECT_FLOAT_EQ(b.peak, static_cast<float>(10 * gPerCode / 20.0));
    // Single-axis downloads take the Z sensitivity.
    ASSERT_TRUE(readWaveBlock(s, 0, b, 1, start, id, info));
    EXPECT_FLOAT_EQ(b.peak, static_cast<float>(10 * gPerCode / 5.0));
}

TEST_F(WaveCommands, AFlatBlockAndSensitivityZeroGiveZeroG) {
    script().on(0x71, [](const uint8_t*, size_t) {
        std::vector<uint8_t> p(650, 0);
        p[8] = 0x01;  // a header code that promises a peak the samples do not have
        return sim::makeReply(0x71, p);
    });
    RecorderIdentity id;
    id.sensorRange = 50;
    RecorderInfo info;  // sensitivities 0
    RecorderSession s(*link, 1, 38400);
    WaveBlock b;
    ASSERT_TRUE(readWaveBlockAxis(s, 0, b, 1, 0, id, info));
    EXPECT_EQ(b.peak, 0.0f);
    EXPECT_EQ(b.width, 0);
}

TEST_F(WaveCommands, BlocksOfTheModelRecorderDecodeToTheirPulses) {
    use(R"(model 6300
mode wave
sensor X 1 10.0
sensor Y 2 10.0
sensor Z 3 10.0
sample 5
measurement
records 2
block 7 100 200 10   -150 100 4   0 0 0
block 9 50 20 3
measurement
block 11 -480 300 40
)");
    RecorderIdentity id;
    id.sensorRange = 50;
    RecorderInfo info;
    info.sensitivity = {10.0, 10.0, 10.0};
    info.samplePeriodMs = 5;
    const double gPerCode = 50 * 3.225806451612903 * 0.02 / 10.0;
    RecorderSession s(*link, 1, 38400);
    WaveBlock x, y, z, later;
    ASSERT_TRUE(readWaveBlockAxis(s, 0, x, 1, 0, id, info));
    ASSERT_TRUE(readWaveBlockAxis(s, 0, y, 2, 0, id, info));
    ASSERT_TRUE(readWaveBlockAxis(s, 0, z, 3, 0, id, info));
    ASSERT_TRUE(readWaveBlockAxis(s, 2, later, 1, 0, id, info));
    EXPECT_NEAR(x.peak, 100 * gPerCode, 2.5 * gPerCode);  // noise of +-2 codes
    EXPECT_NEAR(y.peak, -150 * gPerCode, 2.5 * gPerCode);
    EXPECT_LE(std::fabs(z.peak), 2 * gPerCode);  // only the line's noise
    EXPECT_LE(z.width, 5);
    // The half-cosine pulse stays out of the dead band for most of its width.
    EXPECT_GE(x.width, 15 * 5);
    EXPECT_LE(x.width, 19 * 5);
    EXPECT_NEAR(later.peak, -55.0 * 1.2 / 1.1, 0.01);  // 480 codes are over range: -60 G
    EXPECT_EQ(formatTime(later.time), "00:00:11");     // the second measurement's block
}

}  // namespace
}  // namespace kv::test
