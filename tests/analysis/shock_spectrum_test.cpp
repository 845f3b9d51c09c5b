// The shock response spectrum against what a single-degree-of-freedom
// oscillator does with ideal inputs.
#include "analysis/shock_spectrum.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace kv {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kG = 9.80665;

// 512 samples of a half-sine of peakG and widthMs starting at startMs.
std::vector<double> halfSine(double peakG, double widthMs, double startMs, double periodMs) {
    std::vector<double> s(512, 0.0);
    for (int i = 0; i < 512; ++i) {
        const double x = (i * periodMs - startMs) / widthMs;
        if (x >= 0 && x <= 1) s[i] = peakG * std::sin(kPi * x);
    }
    return s;
}

std::vector<double> spectrum(const std::vector<double>& samples, const SrsPlan& plan) {
    std::vector<double> srs(plan.frequenciesHz.size());
    shockResponseSpectrumG(samples, plan, srs);
    return srs;
}

TEST(ShockSpectrum, TwelfthOctaveGridThroughOneHertzWithinTheRecordsBand) {
    const struct {
        double periodMs;
        double first, last;
        int count;
        int padding;
    } cases[] = {
        {1, 2, std::exp2(79 / 12.0), 68, 500},
        {2, 1, std::exp2(67 / 12.0), 68, 500},
        {0.1, std::exp2(52 / 12.0), std::exp2(119 / 12.0), 68, 497},
        // fs / 10 = 4 Hz lies on the grid and belongs to it.
        {25, std::exp2(-44 / 12.0), 4, 69, 508},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.periodMs);
        const std::vector<double> f = srsFrequenciesHz(c.periodMs);
        ASSERT_FALSE(f.empty());
        EXPECT_DOUBLE_EQ(f.front(), c.first);
        EXPECT_DOUBLE_EQ(f.back(), c.last);
        const double fs = 1000 / c.periodMs;
        EXPECT_GE(f.front(), fs / 512);
        EXPECT_LT(f.front() / std::exp2(1 / 12.0), fs / 512);
        EXPECT_LE(f.back(), fs / 10);
        EXPECT_GT(f.back() * std::exp2(1 / 12.0), fs / 10);
        EXPECT_EQ(static_cast<int>(f.size()), c.count);
        EXPECT_EQ(planSrs(c.periodMs, 10).paddingSamples, c.padding);
    }
    EXPECT_TRUE(srsFrequenciesHz(0).empty());
    EXPECT_TRUE(srsFrequenciesHz(-1).empty());
    EXPECT_TRUE(planSrs(1, 0.5).frequenciesHz.empty());  // no oscillation left
}

TEST(ShockSpectrum, HalfSineSpectrumPeaksNearOnePointSixAndTendsToThePeak) {
    // 0.1 ms samples put the grid from f·D = 0.2 to 10.6 for an 11 ms pulse.
    const double peakG = 50, widthMs = 11;
    const SrsPlan plan = planSrs(0.1, 10);
    const std::vector<double> srs = spectrum(halfSine(peakG, widthMs, 5, 0.1), plan);
    const auto top = std::max_element(srs.begin(), srs.end());
    const double fD = plan.frequenciesHz[top - srs.begin()] * widthMs / 1000;
    EXPECT_GT(*top, 1.55 * peakG);
    EXPECT_LT(*top, 1.75 * peakG);
    EXPECT_GT(fD, 0.7);
    EXPECT_LT(fD, 0.95);
    EXPECT_NEAR(srs.back(), peakG, 0.02 * peakG);

    // Far below 1/D the pulse is an impulse: the residual swing's
    // pseudo-velocity is its velocity change, less the damping of a quarter
    // period (e^(-pi/4Q)).
    const SrsPlan slow = planSrs(1, 10);
    const std::vector<double> low = spectrum(halfSine(peakG, widthMs, 100, 1), slow);
    const double deltaV = 2 * peakG * kG * widthMs / 1000 / kPi;
    EXPECT_NEAR(pseudoVelocityMps(low.front(), slow.frequenciesHz.front()),
                deltaV * std::exp(-kPi / 40), 0.02 * deltaV);
}

TEST(ShockSpectrum, StepOvershootsByTheDampedOscillatorsFirstSwing) {
    // A 1 G step: the mass overshoots to 1 + e^(-pi zeta / sqrt(1 - zeta^2)).
    const double zeta = 1 / 20.0;
    const double overshoot = 1 + std::exp(-kPi * zeta / std::sqrt(1 - zeta * zeta));
    const SrsPlan plan = planSrs(0.1, 10);
    const std::vector<double> srs = spectrum(std::vector<double>(512, 1.0), plan);
    for (size_t k = 0; k < srs.size(); ++k) {
        if (plan.frequenciesHz[k] > 10000 / 50.0) break;  // many samples per period
        EXPECT_NEAR(srs[k], overshoot, 0.01) << plan.frequenciesHz[k];
    }
}

TEST(ShockSpectrum, OscillatorsSideBySideGiveThePlainRecursionsValues) {
    // Plans whose frequency counts fill the side-by-side groups unevenly.
    for (double periodMs : {1.0, 0.5, 3.0, 2000.0}) {
        const SrsPlan plan = planSrs(periodMs, 7.5);
        ASSERT_FALSE(plan.filters.empty());
        std::vector<double> samples = halfSine(30, 9 * periodMs, 40 * periodMs, periodMs);
        for (int i = 0; i < 512; ++i) samples[i] += 0.3 * std::sin(i * 0.9);
        const std::vector<double> srs = spectrum(samples, plan);
        for (size_t k = 0; k < plan.filters.size(); ++k)
            EXPECT_EQ(srs[k], runSrsFilter(samples, plan.paddingSamples, plan.filters[k]))
                << periodMs << " ms, " << plan.frequenciesHz[k] << " Hz";
    }
    const SrsPlan plan = planSrs(1, 10);
    for (double v : spectrum(std::vector<double>(512, 0.0), plan)) EXPECT_EQ(v, 0);
}

}  // namespace
}  // namespace kv
