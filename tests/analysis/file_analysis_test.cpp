// A whole loaded data set: the header values it is read with, and the
// per-record and per-trip results that every window and command shows.
#include "analysis/file_analysis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace kv {
namespace {

// A triaxial wave set at 1 ms: record 0 has a 50 G half-sine on X and Z
// (Z downwards) and nothing on Y; record 1 a clipped square on Y.
DataSet waveSet(int records) {
    DataSet d;
    d.rangeG = 100;
    d.samplePeriodText = "1";
    d.lastIndex = records - 1;
    for (int s = 0; s < kWaveSamples; ++s) {
        const double x = (s - 100.5) / 11;
        const float v =
            x >= 0 && x <= 1 ? static_cast<float>(50 * std::sin(std::numbers::pi * x)) : 0.0f;
        d.waveRecords[0][0].samples[s] = v;
        d.waveRecords[2][0].samples[s] = -v;
        d.waveRecords[1][1].samples[s] = s >= 200 && s < 220 ? 120.0f : 0.0f;
    }
    for (int a = 0; a < 3; ++a) {
        d.waveRecords[a][0].time = 41713.5;
        d.waveRecords[a][1].time = 41713.6;
    }
    return d;
}

RecorderIdentity identity(ModelCode model, bool wave) {
    RecorderIdentity id;
    id.modelCode = model;
    id.waveData = wave ? 1 : 0;
    return id;
}

TEST(FileAnalysis, HeaderValuesOfALoadedDataSet) {
    const struct {
        const char* periodText;
        double periodMs;
    } cases[] = {{"1", 1}, {"2", 2}, {"0.5", 0.5}, {" 5 ", 5}, {"", 0},
                 {"x", 0}, {"0", 0}, {"-1", 0},    {"2ms", 0}, {"inf", 0}};
    DataSet d;
    d.rangeG = 50;
    for (const auto& c : cases) {
        d.samplePeriodText = c.periodText;
        const DataHeader h = dataHeaderOf(d, identity(6300, true));
        EXPECT_EQ(h.samplePeriodMs, c.periodMs) << c.periodText;
        EXPECT_EQ(h.rangeG, 50);
        EXPECT_EQ(h.axisCount, 3);
        EXPECT_TRUE(h.wave);
    }
    const DataHeader peak = dataHeaderOf(d, identity(4100, false));
    EXPECT_FALSE(peak.wave);
    EXPECT_EQ(peak.axisCount, 1);
    EXPECT_EQ(peak.samplePeriodMs, 0);  // a peak file's sample period text is not its own
}

TEST(FileAnalysis, WaveRecordsCombineTheirAxes) {
    const DataSet d = waveSet(2);
    AnalysisOptions options;
    options.restitution = 0.3;
    options.withSrs = true;
    const FileAnalysis f = analyseDataSet(d, dataHeaderOf(d, identity(6300, true)), options);
    ASSERT_EQ(f.records.size(), 2u);
    EXPECT_EQ(f.srsFrequenciesHz, srsFrequenciesHz(1));

    const RecordAnalysis& r = f.records[0];
    EXPECT_EQ(r.record, 0);
    EXPECT_EQ(r.time, 41713.5);
    EXPECT_EQ(r.axes[0].shape, PulseShape::HalfSine);
    EXPECT_EQ(r.axes[2].peakG, -r.axes[0].peakG);
    EXPECT_EQ(r.axes[1].shape, PulseShape::Unknown);  // a flat axis
    const double one = r.axes[0].velocityChangeMps;
    EXPECT_NEAR(one, 3.43, 0.07);
    EXPECT_NEAR(r.velocityChangeMps, std::sqrt(2.0) * one, 1e-12);
    EXPECT_NEAR(r.dropHeightM, dropHeightM(r.velocityChangeMps, 0.3), 1e-15);
    for (int a = 0; a < 3; ++a) {
        ASSERT_EQ(r.srsG[a].size(), f.srsFrequenciesHz.size());
        ASSERT_EQ(r.pvssMps[a].size(), f.srsFrequenciesHz.size());
    }
    EXPECT_EQ(r.srsG[0], r.srsG[2]);  // a spectrum does not care about the sign
    for (double v : r.srsG[1]) EXPECT_EQ(v, 0);
    EXPECT_NEAR(r.pvssMps[0][0],
                r.srsG[0][0] * 9.80665 / (2 * std::numbers::pi * f.srsFrequenciesHz[0]), 1e-12);

    EXPECT_TRUE(f.records[1].axes[1].clipped);
    EXPECT_EQ(f.records[1].axes[1].shape, PulseShape::Trapezoid);
    EXPECT_NEAR(f.records[1].velocityChangeMps, f.records[1].axes[1].velocityChangeMps, 1e-12);
}

TEST(FileAnalysis, SingleAxisSetsUseTheirOnePlane) {
    DataSet d = waveSet(1);
    const FileAnalysis f =
        analyseDataSet(d, dataHeaderOf(d, identity(5100, true)), AnalysisOptions{});
    ASSERT_EQ(f.records.size(), 1u);
    EXPECT_EQ(f.records[0].axisCount, 1);
    EXPECT_EQ(f.records[0].velocityChangeMps, f.records[0].axes[0].velocityChangeMps);
    EXPECT_TRUE(f.records[0].srsG[0].empty());  // not asked for
    EXPECT_TRUE(f.srsFrequenciesHz.empty());
}

TEST(FileAnalysis, OnlyTheRecordsTheSetHolds) {
    DataSet wave = waveSet(0);
    EXPECT_TRUE(analyseDataSet(wave, dataHeaderOf(wave, identity(6300, true)), {}).records.empty());
    wave.lastIndex = 100000;  // more than the store: only what it holds
    EXPECT_EQ(analyseDataSet(wave, dataHeaderOf(wave, identity(6300, true)), {}).records.size(),
              static_cast<size_t>(kWaveCapacity));

    DataSet peak;
    peak.rangeG = 10;
    peak.lastIndex = 1;
    peak.peakRows[0].peak[0] = 5;
    peak.peakRows[1].peak[1] = -12;
    peak.peakRows[2].peak[0] = 50;  // beyond lastIndex: not part of the file
    const FileAnalysis f = analyseDataSet(peak, dataHeaderOf(peak, identity(5100, false)), {});
    EXPECT_TRUE(f.records.empty());
    EXPECT_EQ(f.trip.events.size(), 2u);
    EXPECT_EQ(f.trip.axes[0].events, 2);
    EXPECT_EQ(f.trip.axes[0].maxPositive.g, 5);
    EXPECT_EQ(f.trip.axes[0].counts[10], 1);
}

}  // namespace
}  // namespace kv
