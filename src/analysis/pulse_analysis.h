#pragma once

#include <cmath>
#include <span>

#include "analysis/analysis_options.h"
#include "base/kv_assert.h"

namespace kv {

// What a pulse looks like, told apart by how much of the rectangle of its
// peak and its duration it fills (see PulseAnalysis::shapeFactor).
enum class PulseShape { Unknown, Sawtooth, HalfSine, Trapezoid };

// Shape factors at and above which a pulse counts as a half-sine, and as a
// trapezoid; below the first it is a saw-tooth. An ideal terminal-peak saw-tooth
// fills about 0.55 of its rectangle above the 10 % level, a half-sine 0.68 and
// a square pulse 1.0.
constexpr double kHalfSineFromShapeFactor = 0.61;
constexpr double kTrapezoidFromShapeFactor = 0.76;
// Beyond this part of the sensor range the recorder no longer measures (it
// writes such values as 1.2 times the range).
constexpr double kClippedBeyondRange = 1.1;
// A lobe of fewer samples has no shape worth naming.
constexpr int kMinShapeSamples = 3;

// The pulse of one axis of one wave record: the lobe around the record's
// largest sample.
struct PulseAnalysis {
    // The sample of largest magnitude (the first of equals), with its sign.
    double peakG = 0;
    int peakIndex = 0;
    // The lobe: the run of samples around the peak that keep its sign and
    // reach at least a tenth of its magnitude.
    int firstSample = 0;
    int lastSample = 0;
    // Where the lobe crosses the 10 % level, in samples from the record's
    // first sample, interpolated linearly between the lobe's end samples and
    // their outer neighbours; at the record's first or last sample, that sample.
    double startSample = 0;
    double endSample = 0;
    double durationMs = 0;
    // The integral of the lobe between the two crossings (trapezoids between
    // samples, and the two end pieces from the 10 % level), as a magnitude.
    double velocityChangeMps = 0;
    // velocityChange / (|peak| · g · duration); 0 when the duration is 0.
    double shapeFactor = 0;
    PulseShape shape = PulseShape::Unknown;
    // A lobe sample lies beyond 1.1 times the sensor range: the recorder cut
    // the pulse off, and its true peak and velocity change are larger.
    bool clipped = false;

    int lobeSamples() const { return peakG == 0 ? 0 : lastSample - firstSample + 1; }
};

// Analyses the samples of one axis (G, one every samplePeriodMs), from a sensor
// of rangeG. All-zero (or no) samples have no pulse: every value is 0 and the
// shape unknown. A sample period that is not positive (a file that does not
// state one) leaves the time values (duration, velocity change, shape factor)
// at 0 and the shape unknown; a range that is not positive never reports
// clipping. Samples must be finite.
PulseAnalysis analysePulse(std::span<const double> accelerationG, double samplePeriodMs,
                           double rangeG);

// The shape of a lobe of `lobeSamples` samples with that shape factor.
PulseShape classifyPulseShape(double shapeFactor, int lobeSamples);

// "sawtooth", "half-sine", "trapezoid", "unknown": the machine-readable name.
const char* pulseShapeKey(PulseShape shape);
// The name the windows show: のこぎり波, 半正弦波, 台形波, 判定不能.
const char* pulseShapeText(PulseShape shape);

// The velocity change of a whole event from its axes' velocity changes: the
// magnitude of the vector (one axis: that axis).
inline double combinedVelocityChangeMps(std::span<const double> axisVelocityChangesMps) {
    double sum = 0;
    for (double v : axisVelocityChangesMps) sum += v * v;
    return std::sqrt(sum);
}

// The free-fall height that ends in an impact with this velocity change when
// the package rebounds with `restitution` times its impact speed:
// (ΔV / (1 + e))² / 2g. The restitution must be valid (isValidRestitution).
inline double dropHeightM(double velocityChangeMps, double restitution) {
    KV_ASSERT(isValidRestitution(restitution));
    const double impactMps = velocityChangeMps / (1 + restitution);
    return impactMps * impactMps / (2 * kStandardGravityMps2);
}

}  // namespace kv
