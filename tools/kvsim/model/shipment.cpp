#include "model/shipment.h"

#include <algorithm>
#include <cmath>

#include "base/datetime.h"
#include "model/sim_random.h"

namespace kv::sim {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr long kMarkEvery = 32;
// Streams of their own, so that shipment values never repeat uniform ones.
constexpr long kTripStream = 0x5452'4950;   // "TRIP"
constexpr long kShockStream = 0x5348'4F43;  // "SHOC"

// Value n of the stream that h starts.
double draw(uint64_t h, int n) {
    return unitOf(mix(h + static_cast<uint64_t>(n) * 0x9E3779B97F4A7C15ull));
}

// A standard normal value from four uniform ones (near enough for spreads).
double normalOf(uint64_t h, int n) {
    double sum = 0;
    for (int i = 0; i < 4; ++i) sum += draw(h, n + i);
    return (sum - 2.0) * std::sqrt(3.0);
}

// Exponential with the given mean.
double exponentialOf(double u, double mean) {
    return -std::log(1.0 - u) * mean;
}

TripPhase phaseOf(int32_t episode) {
    // A trip starts with loading and alternates from there.
    return episode % 2 == 0 ? TripPhase::Handling : TripPhase::Transport;
}

int32_t episodeShocks(const TripKey& trip, int32_t episode) {
    const uint64_t h = hashOf(trip.seed, trip.measurement + kTripStream, episode, 1);
    // A sorting hub throws a parcel many times, a leg on the road bumps it a few.
    return phaseOf(episode) == TripPhase::Handling
               ? static_cast<int32_t>(5.0 * std::pow(40.0, unitOf(h)))  // 5 to 200
               : between(h, 3, 40);
}

// Seconds from the shock before to shock `step` of the episode; step 0 comes
// after the quiet stretch that separates episodes.
double gapBefore(const TripKey& trip, int32_t episode, int32_t step) {
    const uint64_t h = mix(hashOf(trip.seed, trip.measurement + kTripStream, episode, 2) ^
                           static_cast<uint64_t>(step));
    const double u = draw(h, 0), v = draw(h, 1);
    double gap;
    if (step == 0 && phaseOf(episode) == TripPhase::Handling && episode > 0 && u < 0.2) {
        gap = kSecondsPerDay * std::pow(10.0, v);  // stored between journeys: 1 to 10 days
    } else if (step == 0) {
        gap = 600.0 * std::pow(36.0, v);  // waiting for the next vehicle: 10 min to 6 h
    } else if (phaseOf(episode) == TripPhase::Handling) {
        gap = u < 0.85 ? 1.0 + std::floor(exponentialOf(v, 2.0))  // one throw after another
                       : 15.0 + 165.0 * v;                        // a pause on the belt
    } else {
        gap = u < 0.2 ? 1.0 + std::floor(4.0 * v)  // a rough patch of road
                      : std::clamp(exponentialOf(v, 900.0), 30.0, 7200.0);
    }
    // A recorder keeps at most one record per record period.
    const double q = std::max(trip.quantumSeconds, 1);
    return std::ceil(gap / q) * q;
}

// Where a trip walk stands; next() moves it to the following shock.
struct TripWalk {
    const TripKey& trip;
    TripMark at;
    int32_t shocks;

    TripWalk(const TripKey& t, const TripMark& from)
        : trip(t), at(from), shocks(episodeShocks(t, from.episode)) {}

    void next() {
        if (++at.step >= shocks) {
            ++at.episode;
            at.step = 0;
            shocks = episodeShocks(trip, at.episode);
        }
        const double gap = gapBefore(trip, at.episode, at.step);
        at.elapsed = static_cast<uint32_t>(
            std::min(static_cast<double>(at.elapsed) + gap, static_cast<double>(UINT32_MAX)));
    }
};

// The first shock: a while after the start, when the parcel is handed over.
TripMark firstShock(const TripKey& trip) {
    const uint64_t h = hashOf(trip.seed, trip.measurement + kTripStream, -1, 3);
    return {static_cast<uint32_t>(between(h, 60, 1800)), 0, 0};
}

// Saturation of an axis in codes: the amplifier clips a little above the
// range, within the 10-bit converter's reach.
int saturationCodes(const RecorderData& d, int axis) {
    return static_cast<int>(std::min(511.0, std::floor(1.25 * d.sensorRange * codesPerG(d, axis))));
}

double triggerG(const RecorderData& d, int axis) {
    // Level 0 would let the line's noise trigger; real recorders keep a floor.
    const int percent = std::max(d.settings.triggerLevel[static_cast<size_t>(axis)], 3);
    return std::max(d.sensorRange, 1) * percent / 100.0;
}

}  // namespace

double codesPerG(const RecorderData& d, int axis) {
    const int tenths = d.sensitivityTenths[static_cast<size_t>(d.axes() == 1 ? 2 : axis)];
    const double sensitivity = tenths > 0 ? tenths / 10.0 : 10.0;
    return sensitivity * 31.0 / (2.0 * std::max(d.sensorRange, 1));
}

double pulseHeight(PulseShape shape, double x) {
    if (x <= 0 || x >= 1) return 0;
    switch (shape) {
        case PulseShape::HalfSine:
            return std::sin(kPi * x);
        case PulseShape::SawTooth:  // rises to the end, then breaks off
            return x < 0.9 ? x / 0.9 : (1 - x) / 0.1;
        case PulseShape::Trapezoid:
            return std::min({1.0, x / 0.15, (1 - x) / 0.15});
    }
    return 0;
}

double riseFraction(PulseShape shape, double level) {
    level = std::clamp(level, 0.0, 1.0);
    switch (shape) {
        case PulseShape::HalfSine:
            return std::asin(level) / kPi;
        case PulseShape::SawTooth:
            return 0.9 * level;
        case PulseShape::Trapezoid:
            return 0.15 * level;
    }
    return 0;
}

int recordPeriodSeconds(int index) {
    static const int kSeconds[] = {1, 2, 5, 10, 30, 60, 120, 300, 600};
    return index >= 0 && index < 9 ? kSeconds[index] : 1;
}

std::vector<TripMark> planTrip(const TripKey& trip, long shocks, uint32_t& last) {
    std::vector<TripMark> marks;
    last = 0;
    if (shocks <= 0) return marks;
    TripWalk walk(trip, firstShock(trip));
    for (long k = 0; k < shocks; ++k) {
        if (k > 0) walk.next();
        if (k % kMarkEvery == 0) marks.push_back(walk.at);
    }
    last = walk.at.elapsed;
    return marks;
}

TripPoint tripPoint(const TripKey& trip, long k, const std::vector<TripMark>& marks) {
    long from = 0;
    TripMark mark = firstShock(trip);
    if (!marks.empty() && k > 0) {
        const size_t i = std::min(static_cast<size_t>(k / kMarkEvery), marks.size() - 1);
        mark = marks[i];
        from = static_cast<long>(i) * kMarkEvery;
    }
    TripWalk walk(trip, mark);
    for (long n = from; n < k; ++n) walk.next();
    return {walk.at.elapsed, phaseOf(walk.at.episode)};
}

Shock shockAt(const RecorderData& d, long measurement, long k, TripPhase phase) {
    const uint64_t h = hashOf(d.seed, measurement + kShockStream, k, 0);
    const bool handling = phase == TripPhase::Handling;
    Shock s;
    // Parcels mostly land on their base: Z triggers half the time.
    if (d.axes() == 3) {
        const double u = draw(h, 0);
        s.principal = u < 0.5 ? 2 : u < 0.75 ? 0 : 1;
    }
    const double trigger = triggerG(d, s.principal);
    // Pareto sizes from the trigger level: most shocks barely pass it, a few
    // (drops, mostly while handled) reach the range or beyond.
    const double alpha = handling ? 1.3 : 2.4;
    const double top =
        std::min(trigger * std::pow(1.0 - draw(h, 1), -1.0 / alpha), 4.0 * d.sensorRange);
    // A drop on a floor lasts a few ms, a bump of the road tens; harder hits
    // are shorter.
    const double median = handling ? 12.0 : 25.0;
    s.durationMs = std::clamp(
        median * std::pow(top / trigger, -0.25) * std::exp(0.45 * normalOf(h, 2)), 3.0, 80.0);
    const double u = draw(h, 6);
    const double halfSines = handling ? 0.55 : 0.7;
    s.shape = u < halfSines                         ? PulseShape::HalfSine
              : u < halfSines + (1 - halfSines) / 2 ? PulseShape::SawTooth
                                                    : PulseShape::Trapezoid;
    for (int a = 0; a < 3; ++a) {
        const double sign = draw(h, 7 + a) < 0.5 ? 1.0 : -1.0;
        // The other axes feel a share of it, by how the parcel is turned.
        const double share = a == s.principal ? 1.0 : 0.05 + 0.5 * draw(h, 10 + a);
        s.peakG[static_cast<size_t>(a)] = sign * share * top;
    }
    s.rebound = 0.1 + 0.35 * draw(h, 13);
    s.reboundMs = s.durationMs * (0.8 + 1.2 * draw(h, 14));
    s.ringDecayMs = s.reboundMs * (0.8 + 2.5 * draw(h, 15));
    return s;
}

SimPeakRecord shockPeakRecord(const RecorderData& d, const Shock& s, uint32_t elapsed) {
    SimPeakRecord r{};
    for (int a = 0; a < 3; ++a) {
        const double top = s.peakG[static_cast<size_t>(a)];
        const double back = -top * s.rebound;
        const int limit = saturationCodes(d, a);
        auto codes = [&](double g) {
            return std::clamp(static_cast<int>(std::lround(g * codesPerG(d, a))), -limit, limit);
        };
        auto ms = [](double w) {
            return static_cast<uint16_t>(std::clamp(std::lround(w), 1l, 1000l));
        };
        SimPeakAxis& p = r[static_cast<size_t>(a)];
        p.elapsed = elapsed;
        p.positive = static_cast<uint16_t>(codes(std::max(top, back)));
        p.negative = static_cast<int16_t>(codes(std::min(top, back)));
        p.positiveWidth = ms(top > 0 ? s.durationMs : s.reboundMs);
        p.negativeWidth = ms(top > 0 ? s.reboundMs : s.durationMs);
    }
    return r;
}

SimWaveBlock shockWaveBlock(const RecorderData& d, const Shock& s, uint32_t elapsed) {
    SimWaveBlock b;
    b.elapsed = elapsed;
    const double period = std::max(d.settings.samplePeriodMs, 1);
    // A pulse shorter than two samples is still seen on two: the recorder's
    // filter spreads it.
    const double samples = std::max(s.durationMs / period, 2.0);
    // The trigger fires on the sample that crosses the level; the recorder
    // keeps the pre-trigger samples before it.
    const double level =
        triggerG(d, s.principal) / std::abs(s.peakG[static_cast<size_t>(s.principal)]);
    const double trigger = std::clamp(d.settings.preTrigger, 0, kWaveSamples - 100);
    const double onset = trigger - riseFraction(s.shape, level) * samples - 0.25;
    for (int a = 0; a < 3; ++a) {
        SimPulse& p = b.axes[static_cast<size_t>(a)];
        p.amplitude =
            static_cast<int>(std::lround(s.peakG[static_cast<size_t>(a)] * codesPerG(d, a)));
        p.centre = onset + samples / 2;
        p.halfWidth = samples / 2;
        p.shape = s.shape;
        p.rebound = s.rebound;
        p.reboundWidth = s.reboundMs / period;
        p.ringDecay = s.ringDecayMs / period;
        p.saturation = saturationCodes(d, a);
        p.noise = 1;  // one code either side: the converter's own
    }
    return b;
}

}  // namespace kv::sim
