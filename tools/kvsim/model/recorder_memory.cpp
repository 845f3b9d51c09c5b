#include "model/recorder_memory.h"

#include <algorithm>
#include <cmath>

#include "model/recorder_model.h"
#include "model/shipment.h"
#include "model/sim_random.h"

namespace kv::sim {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kGeneratedLive = 1000;  // measurement number the live stream draws from

CalendarTime calendarPlus(const CalendarTime& c, double seconds) {
    DateTime t = encodeDateTimeLenient(c) + seconds / kSecondsPerDay;
    CalendarTime r = decodeDateTime(t);
    r.millisecond = 0;
    return r;
}

// Raw peak code of a value in G, with the recorder's conversion (range x
// 2/31 / sensitivity G per code).
int codeForG(const RecorderData& d, int axis, double g) {
    double s = d.sensitivityTenths[static_cast<size_t>(axis)] / 10.0;
    double perCode = d.sensorRange * 2.0 / 31.0 / (s > 0 ? s : 10.0);
    return static_cast<int>(std::lround(g / perCode));
}

// Peak records are whole record periods apart; wave blocks a second at least.
TripKey tripOf(const RecorderData& d, long measurement, int recordPeriod) {
    return {d.seed, measurement, d.waveMode() ? 1 : recordPeriodSeconds(recordPeriod)};
}

// Live shocks come from a recorder on the desk or on a test stand: a third of
// them handled hard, the rest light.
TripPhase livePhase(const RecorderData& d, long n) {
    return hashOf(d.seed, kGeneratedLive, n, 7) % 3 == 0 ? TripPhase::Handling
                                                         : TripPhase::Transport;
}

SimPeakRecord uniformPeak(const RecorderData& d, long measurement, long k) {
    SimPeakRecord r;
    uint64_t h = hashOf(d.seed, measurement, k, 0);
    // Shocks come in time order, a few seconds apart.
    uint32_t elapsed = static_cast<uint32_t>(3 * k + static_cast<long>(h % 3));
    for (int a = 0; a < 3; ++a) {
        uint64_t ha = hashOf(d.seed, measurement, k, 1 + a);
        // Mostly within the range, now and then beyond it.
        double full = d.sensorRange * 1.15;
        double pos = full * static_cast<double>(ha % 1000) / 1000.0;
        double neg = -full * static_cast<double>((ha >> 12) % 1000) / 1000.0;
        r[a].elapsed = elapsed;
        r[a].positive = static_cast<uint16_t>(std::clamp(codeForG(d, a, pos), 0, 65535));
        r[a].negative = static_cast<int16_t>(std::clamp(codeForG(d, a, neg), -32768, 0));
        r[a].positiveWidth = static_cast<uint16_t>(between(ha >> 24, 1, 400));
        r[a].negativeWidth = static_cast<uint16_t>(between(ha >> 36, 1, 400));
    }
    return r;
}

SimWaveBlock uniformBlock(const RecorderData& d, long measurement, long k) {
    SimWaveBlock b;
    uint64_t h = hashOf(d.seed, measurement, k, 4);
    b.elapsed = static_cast<uint32_t>(4 * k + static_cast<long>(h % 4));
    for (int a = 0; a < 3; ++a) {
        uint64_t ha = hashOf(d.seed, measurement, k, 5 + a);
        int amplitude = between(ha, 20, 480);
        b.axes[a].amplitude = (ha >> 20) & 1 ? -amplitude : amplitude;
        b.axes[a].centre = between(ha >> 24, 80, 430);
        b.axes[a].halfWidth = between(ha >> 36, 2, 40);
    }
    return b;
}

// The measurement that holds item n of the running count, and its place in it.
// counted(m) is the number of items measurement m holds.
template <typename Count>
bool locate(const RecorderData& d, long n, Count counted, size_t& measurement, long& k) {
    if (n < 0) return false;
    for (size_t m = 0; m < d.measurements.size(); ++m) {
        long c = counted(d.measurements[m]);
        if (n < c) {
            measurement = m;
            k = n;
            return true;
        }
        n -= c;
    }
    return false;
}

}  // namespace

// The measurements' dates follow each other: shipment trips as long as their
// shocks take, uniform ones two days apart.
RecorderData generateRecorderData(const RecorderConfig& config) {
    RecorderData d;
    d.model = config.model;
    d.seed = config.seed;
    d.data = config.data;
    d.settings.waveMode = config.waveMode && !d.firstGeneration() ? 1 : 0;
    // A shipment's wave records show what led up to each shock.
    if (d.data == MeasurementData::Shipment) d.settings.preTrigger = 100;
    int count = std::clamp(config.measurements, 0, kMeasurementSlots);
    int records = std::max(config.recordsPerMeasurement, 0);
    CalendarTime base{2014, 3, 5, 9, 0, 0, 0};
    double startSeconds = static_cast<double>(hashOf(d.seed, 0, -1, 0) % 7200);
    for (int m = 0; m < count; ++m) {
        uint64_t h = hashOf(d.seed, m, -1, 0);
        SimMeasurement s;
        double length = records * 4.0 + 60;
        if (d.data == MeasurementData::Shipment) {
            uint32_t last = 0;
            s.trip = planTrip(tripOf(d, m, d.settings.recordPeriod), records, last);
            length = last + 60.0 + static_cast<double>(h % 600);
        } else {
            startSeconds = m * 2 * kSecondsPerDay + static_cast<double>(h % 7200);
        }
        s.start = calendarPlus(base, startSeconds);
        s.end = calendarPlus(s.start, length);
        startSeconds += length + kSecondsPerDay * static_cast<double>(1 + (h >> 40) % 3);
        s.startCause = (h >> 16) & 1 ? 'R' : 'S';
        s.endCause = static_cast<uint8_t>("BMRS"[(h >> 20) % 4]);
        s.recordPeriod = d.settings.recordPeriod;
        s.count = records;
        d.measurements.push_back(s);
    }
    return d;
}

void planTrips(RecorderData& d) {
    if (d.data != MeasurementData::Shipment) return;
    for (size_t m = 0; m < d.measurements.size(); ++m) {
        SimMeasurement& s = d.measurements[m];
        if (!s.trip.empty()) continue;
        uint32_t last = 0;
        const long count =
            std::max(s.count, *std::max_element(s.axisCounts.begin(), s.axisCounts.end()));
        s.trip = planTrip(tripOf(d, static_cast<long>(m), s.recordPeriod), count, last);
    }
}

SimPeakRecord peakRecordAt(const RecorderData& d, long record) {
    size_t m;
    long k;
    if (!locate(
            d, record, [](const SimMeasurement& s) { return static_cast<long>(s.count); }, m, k))
        return {};
    const SimMeasurement& s = d.measurements[m];
    if (k < static_cast<long>(s.peaks.size())) return s.peaks[static_cast<size_t>(k)];
    const long n = static_cast<long>(m);
    if (d.data == MeasurementData::Uniform) return uniformPeak(d, n, k);
    const TripPoint at = tripPoint(tripOf(d, n, s.recordPeriod), k, s.trip);
    return shockPeakRecord(d, shockAt(d, n, k, at.phase), at.elapsed);
}

SimWaveBlock waveBlockAt(const RecorderData& d, long block) {
    // Block numbers run over the Z counts, as the PC numbers them.
    auto zCount = [](const SimMeasurement& s) {
        return static_cast<long>(s.axisCounts[2] >= 0 ? s.axisCounts[2] : s.count);
    };
    size_t m;
    long k;
    if (!locate(d, block, zCount, m, k)) return {};
    const SimMeasurement& s = d.measurements[m];
    if (k < static_cast<long>(s.blocks.size())) return s.blocks[static_cast<size_t>(k)];
    const long n = static_cast<long>(m);
    if (d.data == MeasurementData::Uniform) return uniformBlock(d, n, k);
    const TripPoint at = tripPoint(tripOf(d, n, s.recordPeriod), k, s.trip);
    return shockWaveBlock(d, shockAt(d, n, k, at.phase), at.elapsed);
}

SimPeakRecord livePeakRecord(const RecorderData& d, long n) {
    if (d.data == MeasurementData::Uniform) return uniformPeak(d, kGeneratedLive, n);
    return shockPeakRecord(d, shockAt(d, kGeneratedLive, n, livePhase(d, n)), 0);
}

SimWaveBlock liveWaveBlock(const RecorderData& d, long n) {
    if (d.data == MeasurementData::Uniform) return uniformBlock(d, kGeneratedLive, n);
    return shockWaveBlock(d, shockAt(d, kGeneratedLive, n, livePhase(d, n)), 0);
}

uint16_t rawCode(int centred) {
    centred = std::clamp(centred, 1, 1023);
    return static_cast<uint16_t>(centred >= 512 ? centred - 512 : 1024 - centred);
}

uint16_t peakCode(const SimPulse& pulse) {
    const int limit = std::clamp(pulse.saturation, 0, 511);
    return rawCode(512 + std::clamp(pulse.amplitude, -limit, limit));
}

void waveCodes(const SimPulse& pulse, uint64_t noiseSeed, uint16_t* codes) {
    const int noiseSpan = 2 * std::max(pulse.noise, 0) + 1;
    const int limit = std::clamp(pulse.saturation, 0, 511);
    const double end = pulse.centre + pulse.halfWidth;
    for (int i = 0; i < kWaveSamples; ++i) {
        int noise =
            static_cast<int>(mix(noiseSeed + static_cast<uint64_t>(i)) % noiseSpan) - pulse.noise;
        double v = 0;
        double distance = i - pulse.centre;
        if (pulse.halfWidth > 0 && std::abs(distance) < pulse.halfWidth) {
            v = pulse.amplitude * (pulse.shape == PulseShape::HalfSine
                                       ? std::cos(kPi / 2 * distance / pulse.halfWidth)
                                       : pulseHeight(pulse.shape, (distance + pulse.halfWidth) /
                                                                      (2 * pulse.halfWidth)));
        } else if (i >= end && pulse.rebound > 0 && pulse.reboundWidth > 0) {
            // The swing back, and the packaging ringing on after it.
            const double after = i - end;
            const double fade = pulse.ringDecay > 0 ? std::exp(-after / pulse.ringDecay)
                                                    : (after < pulse.reboundWidth ? 1.0 : 0.0);
            v = -pulse.amplitude * pulse.rebound * std::sin(kPi * after / pulse.reboundWidth) *
                fade;
        }
        codes[i] =
            rawCode(512 + std::clamp(static_cast<int>(std::lround(v)) + noise, -limit, limit));
    }
}

}  // namespace kv::sim
