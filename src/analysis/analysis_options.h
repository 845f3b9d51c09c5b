#pragma once

namespace kv {

// Standard gravity: G values become m/s² with it.
constexpr double kStandardGravityMps2 = 9.80665;

// What an analysis assumes beyond the data: the package's coefficient of
// restitution (rebound speed / impact speed) for the drop height, the quality
// factor of the shock response spectrum, and whether the spectrum is wanted
// at all (it costs far more than everything else).
struct AnalysisOptions {
    double restitution = 0.5;
    double q = 10;
    bool withSrs = false;
};

// The values a person may choose; the settings and kvtool refuse others. The
// analysis itself requires them (restitution below 1 keeps the drop height
// finite, Q above 1/2 keeps the oscillator underdamped).
constexpr double kMinRestitution = 0.0;
constexpr double kMaxRestitution = 0.95;
constexpr double kMinQ = 2.0;
constexpr double kMaxQ = 50.0;

inline bool isValidRestitution(double e) {
    return e >= kMinRestitution && e <= kMaxRestitution;  // false for NaN
}
inline bool isValidQ(double q) {
    return q >= kMinQ && q <= kMaxQ;
}

}  // namespace kv
