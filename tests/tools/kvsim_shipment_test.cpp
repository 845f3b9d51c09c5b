// The simulated recorder's shipment data: what a person reading the files, and
// the shock analysis, must be able to rely on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>

#include "analysis/pulse_analysis.h"
#include "model/recorder_model.h"
#include "model/shipment.h"
#include "recorder/wave_decoding.h"

namespace kv::test {
namespace {

constexpr double kStandardGravity = 9.80665;

sim::RecorderData recorder(bool wave, int records, sim::MeasurementData data) {
    sim::RecorderConfig config;
    config.model = 5300;
    config.waveMode = wave;
    config.measurements = 1;
    config.recordsPerMeasurement = records;
    config.data = data;
    return sim::generateRecorderData(config);
}

// Block `number` of the recorder's memory as the download reads it: the
// reply for one axis, decoded and scaled by the program's own code.
std::vector<double> downloaded(const sim::RecorderData& d, long number, int axis) {
    sim::RecorderModel model(d, [] { return 41703.5; });
    const uint8_t request[24] = {static_cast<uint8_t>(number >> 8), static_cast<uint8_t>(number),
                                 static_cast<uint8_t>(axis + 1)};
    const std::vector<uint8_t> reply = model.waveBlockReply(request);
    WaveBlock block;
    decodeWaveSamples(reply.data() + 14, block, {1, d.sensorRange, 10.0});
    return {block.samples, block.samples + kWaveSamples};
}

PulseShape analysisShape(sim::PulseShape shape) {
    switch (shape) {
        case sim::PulseShape::HalfSine:
            return PulseShape::HalfSine;
        case sim::PulseShape::SawTooth:
            return PulseShape::Sawtooth;
        case sim::PulseShape::Trapezoid:
            return PulseShape::Trapezoid;
    }
    return PulseShape::Unknown;
}

// A shock of each shape reaches the file as that shape, triggered at the
// pre-trigger's sample; a half-sine has the velocity change of theory (2AT/pi),
// and one beyond the range reads as clipped.
TEST(KvsimShipment, WaveBlocksHoldPulsesOfTheirShape) {
    struct Case {
        sim::PulseShape shape;
        double topG, durationMs;
        bool clipped;
    } cases[] = {
        {sim::PulseShape::HalfSine, -30, 24, false},
        {sim::PulseShape::SawTooth, 30, 30, false},
        {sim::PulseShape::Trapezoid, 20, 40, false},
        {sim::PulseShape::HalfSine, 150, 20, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(&c - cases));
        sim::RecorderData d = recorder(true, 1, sim::MeasurementData::Shipment);
        sim::Shock shock;
        shock.shape = c.shape;
        shock.durationMs = c.durationMs;
        shock.principal = 2;
        shock.peakG = {0, 0, c.topG};
        d.measurements[0].blocks = {sim::shockWaveBlock(d, shock, 0)};
        const std::vector<double> z = downloaded(d, 0, 2);

        // The trigger is 10 % of 50 G.
        const auto first =
            std::find_if(z.begin(), z.end(), [](double g) { return std::abs(g) >= 5; });
        EXPECT_NEAR(first - z.begin(), 100, 1);
        const PulseAnalysis pulse = analysePulse(z, 1, 50);
        EXPECT_EQ(pulse.clipped, c.clipped);
        if (c.clipped) {
            EXPECT_EQ(std::abs(pulse.peakG), 60);  // 120 % of the range
            continue;
        }
        EXPECT_EQ(pulse.shape, analysisShape(c.shape));
        EXPECT_NEAR(std::abs(pulse.peakG), std::abs(c.topG), 0.7);  // the line's noise on top
        if (c.shape == sim::PulseShape::HalfSine) {
            const double theory =
                2 * std::abs(c.topG) * kStandardGravity * c.durationMs * 1e-3 / M_PI;
            EXPECT_NEAR(pulse.velocityChangeMps, theory, 0.05 * theory);
        }
    }
}

// The generated records as the shock analysis sees them: the shape of the
// axis that triggered is the one the simulator drew, but for a few small or
// short shocks that the line's noise and the sampling bend.
TEST(KvsimShipment, TheAnalysisTellsTheGeneratedShapes) {
    const int n = 300;
    const sim::RecorderData d = recorder(true, n, sim::MeasurementData::Shipment);
    int judged = 0, agreed = 0;
    std::array<int, 3> drawn{};
    for (int k = 0; k < n; ++k) {
        const sim::SimWaveBlock b = sim::waveBlockAt(d, k);
        int principal = 0;
        for (int a = 1; a < 3; ++a)
            if (std::abs(b.axes[a].amplitude) > std::abs(b.axes[principal].amplitude))
                principal = a;
        const sim::SimPulse& p = b.axes[static_cast<size_t>(principal)];
        if (std::abs(p.amplitude) > p.saturation) continue;  // clipped: no shape to tell
        ++judged;
        ++drawn[static_cast<size_t>(p.shape)];
        agreed += analysePulse(downloaded(d, k, principal), 1, 50).shape == analysisShape(p.shape);
    }
    EXPECT_GT(judged, n * 9 / 10);
    EXPECT_GE(agreed, judged * 9 / 10);
    for (int count : drawn) EXPECT_GT(count, judged / 10);
}

// A shipment's peak file: every shock above the trigger, most of them barely,
// a few beyond the range; handled in bursts seconds apart, with long quiet
// stretches that hold most of the time.
TEST(KvsimShipment, PeakRecordsLookLikeATrip) {
    const int n = 3000;
    const sim::RecorderData d = recorder(false, n, sim::MeasurementData::Shipment);
    const double trigger = 5, range = 50;  // 10 % of 50 G
    std::vector<double> largest;
    std::vector<uint32_t> gaps;
    int overRange = 0, shortOrLong = 0;
    uint32_t before = 0;
    for (int k = 0; k < n; ++k) {
        const sim::SimPeakRecord r = sim::peakRecordAt(d, k);
        double top = 0;
        int widest = 0;
        for (int a = 0; a < 3; ++a) {
            const double perG = sim::codesPerG(d, a);
            top = std::max({top, r[a].positive / perG, -r[a].negative / perG});
            widest = std::max<int>({widest, r[a].positiveWidth, r[a].negativeWidth});
            EXPECT_EQ(r[a].elapsed, r[0].elapsed);
        }
        largest.push_back(top);
        overRange += top >= 1.1 * range;
        shortOrLong += widest < 3 || widest > 200;
        ASSERT_GE(top, trigger - 0.5) << k;
        ASSERT_GE(r[0].elapsed, before) << k;
        if (k > 0) gaps.push_back(r[0].elapsed - before);
        before = r[0].elapsed;
    }
    std::nth_element(largest.begin(), largest.begin() + n / 2, largest.end());
    EXPECT_LT(largest[n / 2], 2 * trigger);
    EXPECT_GT(overRange, n / 500);
    EXPECT_LT(overRange, n / 20);
    EXPECT_EQ(shortOrLong, 0);

    // Record period index 1 is 2 s: no two records closer.
    EXPECT_TRUE(
        std::all_of(gaps.begin(), gaps.end(), [](uint32_t g) { return g >= 2 && g % 2 == 0; }));
    const double total = std::accumulate(gaps.begin(), gaps.end(), 0.0);
    double quiet = 0;
    size_t bursts = 0;
    for (uint32_t g : gaps) {
        bursts += g <= 10;
        if (g >= 600) quiet += g;
    }
    EXPECT_GT(bursts, gaps.size() * 2 / 5);
    EXPECT_GT(quiet, 0.7 * total);
    // The index's end comes after the last shock.
    const sim::SimMeasurement& m = d.measurements[0];
    EXPECT_GE(encodeDateTimeLenient(m.end),
              encodeDateTimeLenient(m.start) + before / kSecondsPerDay);
}

// The marks only speed the walk up: shock k is where a walk from the start
// finds it, also across the marks and beyond the last.
TEST(KvsimShipment, TripMarksFindTheSameShocks) {
    const sim::TripKey trip{7, 2, 5};
    uint32_t last = 0;
    const std::vector<sim::TripMark> marks = sim::planTrip(trip, 600, last);
    for (long k : {0l, 1l, 31l, 32l, 33l, 599l, 700l}) {
        const sim::TripPoint planned = sim::tripPoint(trip, k, marks);
        const sim::TripPoint walked = sim::tripPoint(trip, k, {});
        EXPECT_EQ(planned.elapsed, walked.elapsed) << k;
        EXPECT_EQ(planned.phase, walked.phase) << k;
    }
    EXPECT_EQ(sim::tripPoint(trip, 599, {}).elapsed, last);
}

// Uniform data stay the bytes that older tests, benchmarks and saved files
// were made from, chosen by the configuration or by a description.
TEST(KvsimShipment, UniformDataAreTheEarlierBytes) {
    auto fnv = [](const std::vector<uint8_t>& v) {
        uint64_t h = 1469598103934665603ull;
        for (uint8_t b : v) h = (h ^ b) * 1099511628211ull;
        return h;
    };
    struct Case {
        bool wave;
        uint64_t records, index, telegram;
    } cases[] = {
        {false, 0x57ff632d8f4d35d9ull, 0xef32e9573cc270e6ull, 0x8dcd77379fef6c5cull},
        {true, 0x3cf5eeba5ad8fd5aull, 0xc8620893c2977c19ull, 0xe3ea79e5f298ca74ull},
    };
    for (const Case& c : cases) {
        for (bool byDescription : {false, true}) {
            sim::RecorderConfig config;
            config.model = 5300;
            config.waveMode = c.wave;
            config.seed = 7;
            config.now = [] { return 41703.5; };
            if (byDescription)
                config.descriptionText = "data uniform\n";
            else
                config.data = sim::MeasurementData::Uniform;
            std::string error;
            auto m = sim::makeRecorderModel(config, error);
            ASSERT_TRUE(m) << error;
            const uint8_t peaks[24] = {0, 3, 5}, block[24] = {0, 3, 2};
            EXPECT_EQ(fnv(c.wave ? m->waveBlockReply(block) : m->peakRecordsReply(peaks)),
                      c.records);
            EXPECT_EQ(fnv(c.wave ? m->waveIndexReply() : m->peakIndexReply()), c.index);
            EXPECT_EQ(fnv(m->nextTelegram()), c.telegram);
        }
    }
}

}  // namespace
}  // namespace kv::test
