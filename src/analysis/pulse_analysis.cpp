#include "analysis/pulse_analysis.h"

#include <cmath>
#include <iterator>

namespace kv {
namespace {

// Samples of the lobe reach this part of the peak's magnitude.
constexpr double kLobeLevel = 0.1;

}  // namespace

PulseAnalysis analysePulse(std::span<const double> a, double samplePeriodMs, double rangeG) {
    PulseAnalysis p;
    const int n = static_cast<int>(a.size());
    double magnitude = 0;
    for (int i = 0; i < n; ++i) {
        if (std::fabs(a[i]) > magnitude) {
            magnitude = std::fabs(a[i]);
            p.peakIndex = i;
        }
    }
    if (magnitude == 0) return PulseAnalysis{};
    p.peakG = a[p.peakIndex];

    // Work on the samples turned to the peak's sign: the lobe is where they
    // stay at or above the level, which also keeps them on the peak's side.
    const double sign = p.peakG > 0 ? 1.0 : -1.0;
    const double level = kLobeLevel * magnitude;
    auto u = [&](int i) { return sign * a[i]; };
    int first = p.peakIndex, last = p.peakIndex;
    while (first > 0 && u(first - 1) >= level) --first;
    while (last + 1 < n && u(last + 1) >= level) ++last;
    p.firstSample = first;
    p.lastSample = last;
    // The neighbour outside lies below the level and the lobe's end sample at
    // or above it, so each crossing falls in (neighbour, end sample].
    p.startSample =
        first == 0 ? 0.0 : (first - 1) + (level - u(first - 1)) / (u(first) - u(first - 1));
    p.endSample = last == n - 1 ? last : last + (u(last) - level) / (u(last) - u(last + 1));

    // The range's own clip level: the peak is the lobe's largest sample, so the
    // lobe has a sample beyond it exactly when the peak is.
    p.clipped = rangeG > 0 && magnitude > kClippedBeyondRange * rangeG;

    if (!(samplePeriodMs > 0) || !std::isfinite(samplePeriodMs)) return p;
    double area = (first - p.startSample) * (level + u(first)) / 2;  // in G × samples
    for (int i = first; i < last; ++i) area += (u(i) + u(i + 1)) / 2;
    area += (p.endSample - last) * (u(last) + level) / 2;
    p.velocityChangeMps = area * kStandardGravityMps2 * samplePeriodMs / 1000;
    p.durationMs = (p.endSample - p.startSample) * samplePeriodMs;
    if (p.durationMs > 0)
        p.shapeFactor =
            p.velocityChangeMps / (magnitude * kStandardGravityMps2 * p.durationMs / 1000);
    p.shape = classifyPulseShape(p.shapeFactor, p.lobeSamples());
    return p;
}

PulseShape classifyPulseShape(double shapeFactor, int lobeSamples) {
    if (lobeSamples < kMinShapeSamples || !(shapeFactor > 0)) return PulseShape::Unknown;
    if (shapeFactor < kHalfSineFromShapeFactor) return PulseShape::Sawtooth;
    if (shapeFactor < kTrapezoidFromShapeFactor) return PulseShape::HalfSine;
    return PulseShape::Trapezoid;
}

namespace {

struct ShapeNames {
    const char* key;
    const char* text;
};
// In the order of PulseShape.
constexpr ShapeNames kShapeNames[] = {
    {"unknown", "判定不能"},
    {"sawtooth", "のこぎり波"},
    {"half-sine", "半正弦波"},
    {"trapezoid", "台形波"},
};

const ShapeNames& namesOf(PulseShape shape) {
    const auto i = static_cast<size_t>(shape);
    return i < std::size(kShapeNames) ? kShapeNames[i] : kShapeNames[0];
}

}  // namespace

const char* pulseShapeKey(PulseShape shape) {
    return namesOf(shape).key;
}

const char* pulseShapeText(PulseShape shape) {
    return namesOf(shape).text;
}

}  // namespace kv
