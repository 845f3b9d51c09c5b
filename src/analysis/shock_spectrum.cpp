#include "analysis/shock_spectrum.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "analysis/analysis_options.h"
#include "base/kv_assert.h"

namespace kv {
namespace {

// A record has 512 samples: the lowest frequency it shows has one period in
// them; above a tenth of the sampling rate the filter no longer follows.
constexpr double kSamplesPerLowestPeriod = 512;
constexpr double kSamplesPerHighestPeriod = 10;
constexpr int kStepsPerOctave = 12;

// Oscillators run side by side: each one's recursion waits on its own last
// output, so one alone leaves the processor idle between steps, while several
// independent ones fill those gaps (and the compiler packs them into vector
// registers). Eight fills them on the processors we run on.
constexpr int kLanes = 8;

double gridFrequencyHz(int k) {
    return std::exp2(static_cast<double>(k) / kStepsPerOctave);
}

// Up to kLanes oscillators over the same samples; lanes beyond `count` run an
// all-zero filter whose output stays 0.
void runLanes(std::span<const double> x, int padding, const SrsFilter* filters, int count,
              double* srsG) {
    double b0[kLanes], b1[kLanes], b2[kLanes], a1[kLanes], a2[kLanes];
    double y1[kLanes] = {}, y2[kLanes] = {}, peak[kLanes] = {};
    for (int j = 0; j < kLanes; ++j) {
        const SrsFilter f = j < count ? filters[j] : SrsFilter{};
        b0[j] = f.b0;
        b1[j] = f.b1;
        b2[j] = f.b2;
        a1[j] = f.a1;
        a2[j] = f.a2;
    }
    double x1 = 0, x2 = 0;
    // The same expression, in the same order, as runSrsFilter: the values
    // agree to the last bit.
    auto step = [&](double x0) {
        for (int j = 0; j < kLanes; ++j) {
            const double y = b0[j] * x0 + b1[j] * x1 + b2[j] * x2 - a1[j] * y1[j] - a2[j] * y2[j];
            y2[j] = y1[j];
            y1[j] = y;
            const double m = std::fabs(y);
            peak[j] = peak[j] < m ? m : peak[j];
        }
        x2 = x1;
        x1 = x0;
    };
    for (double v : x) step(v);
    // Two steps still feel the last samples; after them only the free
    // oscillation remains (the input terms are exact zeros).
    const int forced = std::min(padding, 2);
    for (int n = 0; n < forced; ++n) step(0.0);
    for (int n = forced; n < padding; ++n) {
        for (int j = 0; j < kLanes; ++j) {
            const double y = -a1[j] * y1[j] - a2[j] * y2[j];
            y2[j] = y1[j];
            y1[j] = y;
            const double m = std::fabs(y);
            peak[j] = peak[j] < m ? m : peak[j];
        }
    }
    std::copy(peak, peak + count, srsG);
}

}  // namespace

SrsFilter designSrsFilter(double frequencyHz, double samplePeriodS, double q) {
    KV_ASSERT(frequencyHz > 0);
    KV_ASSERT(samplePeriodS > 0);
    KV_ASSERT(q > 0.5);
    const double omega = 2 * std::numbers::pi * frequencyHz;
    const double zeta = 1 / (2 * q);
    const double omegaD = omega * std::sqrt(1 - zeta * zeta);
    const double A = zeta * omega * samplePeriodS;
    const double B = omegaD * samplePeriodS;
    const double e = std::exp(-A);
    const double e2 = std::exp(-2 * A);
    const double sinc = std::sin(B) / B;
    const double cosB = std::cos(B);
    SrsFilter f;
    f.b0 = 1 - e * sinc;
    f.b1 = 2 * e * (sinc - cosB);
    f.b2 = e2 - e * sinc;
    f.a1 = -2 * e * cosB;
    f.a2 = e2;
    return f;
}

std::vector<double> srsFrequenciesHz(double samplePeriodMs) {
    std::vector<double> out;
    if (!(samplePeriodMs > 0) || !std::isfinite(samplePeriodMs)) return out;
    const double fs = 1000 / samplePeriodMs;
    const double lowest = fs / kSamplesPerLowestPeriod;
    const double highest = fs / kSamplesPerHighestPeriod;
    // Start near the lowest grid point from the logarithm, then settle the
    // bounds by the comparison itself, so rounding in log2 cannot drop or add
    // a point.
    int k = static_cast<int>(std::floor(kStepsPerOctave * std::log2(lowest))) - 1;
    while (gridFrequencyHz(k) < lowest) ++k;
    while (gridFrequencyHz(k - 1) >= lowest) --k;
    for (; gridFrequencyHz(k) <= highest; ++k) out.push_back(gridFrequencyHz(k));
    return out;
}

SrsPlan planSrs(double samplePeriodMs, double q) {
    SrsPlan plan;
    plan.samplePeriodMs = samplePeriodMs;
    if (!(q > 0.5)) return plan;
    plan.frequenciesHz = srsFrequenciesHz(samplePeriodMs);
    if (plan.frequenciesHz.empty()) return plan;
    for (double f : plan.frequenciesHz)
        plan.filters.push_back(designSrsFilter(f, samplePeriodMs / 1000, q));
    const double fs = 1000 / samplePeriodMs;
    plan.paddingSamples = static_cast<int>(std::ceil(fs / plan.frequenciesHz.front()));
    return plan;
}

void shockResponseSpectrumG(std::span<const double> accelerationG, const SrsPlan& plan,
                            std::span<double> srsG) {
    const int count = static_cast<int>(plan.filters.size());
    KV_ASSERT(srsG.size() >= static_cast<size_t>(count));
    for (int first = 0; first < count; first += kLanes)
        runLanes(accelerationG, plan.paddingSamples, plan.filters.data() + first,
                 std::min(kLanes, count - first), srsG.data() + first);
}

double runSrsFilter(std::span<const double> accelerationG, int padding, const SrsFilter& f) {
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0, peak = 0;
    const size_t n = accelerationG.size();
    for (size_t i = 0; i < n + static_cast<size_t>(std::max(padding, 0)); ++i) {
        const double x0 = i < n ? accelerationG[i] : 0.0;
        const double y = f.b0 * x0 + f.b1 * x1 + f.b2 * x2 - f.a1 * y1 - f.a2 * y2;
        x2 = x1;
        x1 = x0;
        y2 = y1;
        y1 = y;
        peak = std::max(peak, std::fabs(y));
    }
    return peak;
}

double pseudoVelocityMps(double srsG, double frequencyHz) {
    return srsG * kStandardGravityMps2 / (2 * std::numbers::pi * frequencyHz);
}

}  // namespace kv
