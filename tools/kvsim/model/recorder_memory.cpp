#include "model/recorder_memory.h"

#include <algorithm>
#include <cmath>

#include "model/recorder_model.h"

namespace kv::sim {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kGeneratedLive = 1000;  // measurement number the live stream draws from

// splitmix64: a small generator whose output is the same on every platform,
// unlike the standard library's distributions.
uint64_t mix(uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

uint64_t hashOf(unsigned seed, long measurement, long item, int salt) {
    return mix(mix(mix(seed) ^ static_cast<uint64_t>(measurement)) ^
               (static_cast<uint64_t>(item) * 8 + static_cast<uint64_t>(salt)));
}

int between(uint64_t h, int low, int high) {  // inclusive
    return low + static_cast<int>(h % static_cast<uint64_t>(high - low + 1));
}

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

SimPeakRecord generatedPeak(const RecorderData& d, long measurement, long k) {
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

SimWaveBlock generatedBlock(const RecorderData& d, long measurement, long k) {
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

RecorderData generateRecorderData(const RecorderConfig& config) {
    RecorderData d;
    d.model = config.model;
    d.seed = config.seed;
    d.settings.waveMode = config.waveMode && !d.firstGeneration() ? 1 : 0;
    int count = std::clamp(config.measurements, 0, kMeasurementSlots);
    int records = std::max(config.recordsPerMeasurement, 0);
    CalendarTime base{2014, 3, 5, 9, 0, 0, 0};
    for (int m = 0; m < count; ++m) {
        uint64_t h = hashOf(d.seed, m, -1, 0);
        SimMeasurement s;
        s.start = calendarPlus(base, m * 2 * kSecondsPerDay + static_cast<double>(h % 7200));
        s.end = calendarPlus(s.start, records * 4.0 + 60);
        s.startCause = (h >> 16) & 1 ? 'R' : 'S';
        s.endCause = static_cast<uint8_t>("BMRS"[(h >> 20) % 4]);
        s.recordPeriod = d.settings.recordPeriod;
        s.count = records;
        d.measurements.push_back(s);
    }
    return d;
}

SimPeakRecord peakRecordAt(const RecorderData& d, long record) {
    size_t m;
    long k;
    if (!locate(
            d, record, [](const SimMeasurement& s) { return static_cast<long>(s.count); }, m, k))
        return {};
    const SimMeasurement& s = d.measurements[m];
    if (k < static_cast<long>(s.peaks.size())) return s.peaks[static_cast<size_t>(k)];
    return generatedPeak(d, static_cast<long>(m), k);
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
    return generatedBlock(d, static_cast<long>(m), k);
}

SimPeakRecord livePeakRecord(const RecorderData& d, long n) {
    return generatedPeak(d, kGeneratedLive, n);
}

SimWaveBlock liveWaveBlock(const RecorderData& d, long n) {
    return generatedBlock(d, kGeneratedLive, n);
}

uint16_t rawCode(int centred) {
    centred = std::clamp(centred, 1, 1023);
    return static_cast<uint16_t>(centred >= 512 ? centred - 512 : 1024 - centred);
}

void waveCodes(const SimPulse& pulse, uint64_t noiseSeed, uint16_t* codes) {
    for (int i = 0; i < kWaveSamples; ++i) {
        int noise = static_cast<int>(mix(noiseSeed + static_cast<uint64_t>(i)) % 5) - 2;
        double v = 0;
        int distance = i - pulse.centre;
        if (pulse.halfWidth > 0 && std::abs(distance) < pulse.halfWidth)
            v = pulse.amplitude * std::cos(kPi / 2 * distance / pulse.halfWidth);
        codes[i] = rawCode(512 + static_cast<int>(std::lround(v)) + noise);
    }
}

}  // namespace kv::sim
