// Pulses whose answers theory gives: ideal shapes sampled as a recorder does.
#include "analysis/pulse_analysis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>
#include <vector>

#include "analysis/analysis_options.h"

namespace kv {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kG = 9.80665;

// 512 samples of a(t), t in ms, one every periodMs.
std::vector<double> sampled(double periodMs, const std::function<double(double)>& a) {
    std::vector<double> s(512);
    for (int i = 0; i < 512; ++i) s[i] = a(i * periodMs);
    return s;
}

// A pulse of `widthMs` starting at `startMs`: shape(x) for x = 0..1 across it.
std::function<double(double)> pulse(double startMs, double widthMs,
                                    std::function<double(double)> shape) {
    return [=](double t) {
        const double x = (t - startMs) / widthMs;
        return x >= 0 && x <= 1 ? shape(x) : 0.0;
    };
}

TEST(PulseAnalysis, IdealPulsesGiveTheirVelocityChangeAndShape) {
    struct Case {
        const char* name;
        std::vector<double> samples;
        double peakG;
        double velocityMps;  // what the ideal, continuous pulse gives
        double tolerance;    // relative, for sampling and the 10 % level
        double durationMs;   // between the 10 % crossings of the ideal pulse
        PulseShape shape;
    };
    // A half-sine's 10 % crossings lie asin(0.1)/pi of its width in from each end.
    const double halfSineCut = std::asin(0.1) / kPi;
    const Case cases[] = {
        {"50 G 11 ms half-sine",
         sampled(1, pulse(100.5, 11, [](double x) { return 50 * std::sin(kPi * x); })), 50, 3.4337,
         0.02, 11 * (1 - 2 * halfSineCut), PulseShape::HalfSine},
        {"the same, downwards",
         sampled(1, pulse(100.5, 11, [](double x) { return -50 * std::sin(kPi * x); })), -50,
         3.4337, 0.02, 11 * (1 - 2 * halfSineCut), PulseShape::HalfSine},
        // Rises to 40 G over 20 ms, then falls at once: the part above 10 %
        // is 0.99 of the triangle's area A·D/2.
        {"terminal-peak saw-tooth", sampled(1, pulse(200, 20, [](double x) { return 40 * x; })), 40,
         40 * kG * 0.020 / 2, 0.05, 20 * 0.9, PulseShape::Sawtooth},
        {"20 ms square", sampled(1, pulse(50, 19.5, [](double) { return 15.0; })), 15,
         15 * kG * 0.020, 0.05, 20, PulseShape::Trapezoid},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PulseAnalysis p = analysePulse(c.samples, 1, 100);
        EXPECT_DOUBLE_EQ(p.peakG, c.peakG);
        EXPECT_NEAR(p.velocityChangeMps, c.velocityMps, c.tolerance * c.velocityMps);
        EXPECT_NEAR(p.durationMs, c.durationMs, 1.0);  // within a sample
        EXPECT_EQ(p.shape, c.shape) << p.shapeFactor;
        EXPECT_FALSE(p.clipped);
    }
}

TEST(PulseAnalysis, HalfSineDropHeightAtHalfRestitution) {
    auto s = sampled(1, pulse(100.5, 11, [](double x) { return 50 * std::sin(kPi * x); }));
    const double h = dropHeightM(analysePulse(s, 1, 100).velocityChangeMps, 0.5);
    EXPECT_GE(h, 0.26);
    EXPECT_LE(h, 0.27);
}

// Samples that land exactly on the geometry: the crossings and areas follow
// from straight lines between the samples.
TEST(PulseAnalysis, CrossingsAndAreasFollowTheLinesBetweenSamples) {
    struct Case {
        const char* name;
        std::vector<double> samples;
        double periodMs;
        double start, end;    // crossings, in samples
        double areaGSamples;  // the lobe's area between them
        PulseShape shape;
    };
    auto with = [](std::initializer_list<std::pair<int, double>> values) {
        std::vector<double> s(512, 0.0);
        for (auto [i, v] : values) s[i] = v;
        return s;
    };
    const Case cases[] = {
        // Lines from 0 reach the 10 % level 0.1 of a sample before the spike;
        // each side keeps a trapezoid 0.9 wide from 2 G up to 20 G.
        {"one-sample spike", with({{300, 20}}), 2, 299.1, 300.9, 2 * 0.9 * 11, PulseShape::Unknown},
        // A ramp that reaches 10 % exactly on a sample crosses there.
        {"ramp", with({{10, 1}, {11, 10}, {12, 20}, {13, 30}, {14, 40}, {15, 50}, {16, 100}}), 1,
         11, 16.9, 15 + 25 + 35 + 45 + 75 + 0.9 * 55, PulseShape::Sawtooth},
        // The lobe runs off both ends of the record: the end samples bound it.
        {"constant record", std::vector<double>(512, -3.0), 1, 0, 511, 511 * 3,
         PulseShape::Trapezoid},
        {"lobe from the first sample", with({{0, 8}, {1, 8}, {2, 8}, {3, 8}}), 1, 0, 3.9,
         3 * 8 + 0.9 * 4.4, PulseShape::Trapezoid},
        {"lobe to the last sample", with({{509, 8}, {510, 8}, {511, 8}}), 1, 508.1, 511,
         0.9 * 4.4 + 2 * 8, PulseShape::Trapezoid},
        // Opposite-sign samples end the lobe as small ones do.
        {"sign change", with({{40, -1}, {41, 6}, {42, 10}, {43, 6}, {44, -4}}), 1, 40 + 2.0 / 7,
         43 + 5.0 / 10, (1 - 2.0 / 7) * 3.5 + 8 + 8 + 0.5 * 3.5, PulseShape::HalfSine},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PulseAnalysis p = analysePulse(c.samples, c.periodMs, 100);
        EXPECT_NEAR(p.startSample, c.start, 1e-12);
        EXPECT_NEAR(p.endSample, c.end, 1e-12);
        EXPECT_NEAR(p.durationMs, (c.end - c.start) * c.periodMs, 1e-9);
        EXPECT_NEAR(p.velocityChangeMps, c.areaGSamples * kG * c.periodMs / 1000, 1e-9);
        EXPECT_EQ(p.shape, c.shape) << p.shapeFactor;
    }
}

TEST(PulseAnalysis, RecordsWithoutAUsablePulse) {
    const std::vector<double> zeros(512, 0.0);
    std::vector<double> ties(512, 0.0);
    ties[10] = 5;
    ties[20] = -5;
    ties[30] = 5;
    const struct {
        const char* name;
        std::span<const double> samples;
        double periodMs;
        double peakG;
        int peakIndex;
    } cases[] = {
        {"all zero", zeros, 1, 0, 0},
        {"no samples", {}, 1, 0, 0},
        {"equal magnitudes: the first", ties, 1, 5, 10},
        {"no sample period", ties, 0, 5, 10},
        {"a sample period that is not a number", ties, std::nan(""), 5, 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PulseAnalysis p = analysePulse(c.samples, c.periodMs, 100);
        EXPECT_EQ(p.peakG, c.peakG);
        EXPECT_EQ(p.peakIndex, c.peakIndex);
        if (c.periodMs > 0) continue;
        EXPECT_EQ(p.durationMs, 0);
        EXPECT_EQ(p.velocityChangeMps, 0);
        EXPECT_EQ(p.shape, PulseShape::Unknown);
    }
    PulseAnalysis none = analysePulse(zeros, 1, 100);
    EXPECT_EQ(none.velocityChangeMps, 0);
    EXPECT_EQ(none.durationMs, 0);
    EXPECT_EQ(none.lobeSamples(), 0);
    EXPECT_EQ(none.shape, PulseShape::Unknown);
}

TEST(PulseAnalysis, ClippedWhenTheLobeGoesBeyondTheRecorderRange) {
    // The download writes samples beyond 1.1 R as ±1.2 R.
    const struct {
        double peakG;
        double rangeG;
        bool clipped;
    } cases[] = {
        {120, 100, true}, {-120, 100, true}, {110, 100, false}, {100, 100, false},
        {6, 5, true},     {5.5, 5, false},   {120, 0, false},  // no range stated
    };
    for (const auto& c : cases) {
        std::vector<double> s(512, 0.0);
        s[100] = c.peakG / 2;
        s[101] = c.peakG;
        s[102] = c.peakG;
        s[103] = c.peakG / 2;
        EXPECT_EQ(analysePulse(s, 1, c.rangeG).clipped, c.clipped) << c.peakG << " " << c.rangeG;
    }
}

TEST(PulseAnalysis, ShapeClassesMeetAtTheirBoundaries) {
    const struct {
        double k;
        int samples;
        PulseShape shape;
    } cases[] = {
        {0.55, 10, PulseShape::Sawtooth},  {0.6099, 10, PulseShape::Sawtooth},
        {0.61, 10, PulseShape::HalfSine},  {0.7599, 10, PulseShape::HalfSine},
        {0.76, 10, PulseShape::Trapezoid}, {1.0, 3, PulseShape::Trapezoid},
        {1.0, 2, PulseShape::Unknown},     {0.0, 10, PulseShape::Unknown},
    };
    for (const auto& c : cases) EXPECT_EQ(classifyPulseShape(c.k, c.samples), c.shape) << c.k;
    EXPECT_STREQ(pulseShapeKey(PulseShape::HalfSine), "half-sine");
    EXPECT_STREQ(pulseShapeText(PulseShape::Sawtooth), "のこぎり波");
    EXPECT_STREQ(pulseShapeText(PulseShape::Unknown), "判定不能");
}

}  // namespace
}  // namespace kv
