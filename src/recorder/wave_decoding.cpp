#include "recorder/wave_decoding.h"

#include <cmath>
#include <cstdlib>

namespace kv {
namespace {

constexpr int kDeadBand = 5;

int deviation(float sample) {
    return std::abs(static_cast<int>(sample) - 512);
}

}  // namespace

float centre(uint16_t raw) {
    int r = raw & 0x3FF;
    return static_cast<float>(r < 512 ? 512 + r : 1024 - r);
}

void unpackSamples(const uint8_t* group, float* destination) {
    for (int k = 0; k < 4; ++k) {
        int high = (group[0] >> (6 - 2 * k)) & 0x03;
        destination[k] = centre(static_cast<uint16_t>(high << 8 | group[1 + k]));
    }
}

void unpackBlock(const uint8_t* groups, float* samples) {
    for (int g = 0; g < kWaveSamples / 4; ++g)
        unpackSamples(groups + g * kSampleGroupBytes, samples + 4 * g);
}

uint16_t findPeak(const float* samples, float& peak, int samplePeriodMs) {
    int peakIndex = -1;
    int best = 0;
    for (int i = 0; i < kWaveSamples; ++i) {
        int d = deviation(samples[i]);
        if (d > best) {
            best = d;
            peakIndex = i;
        }
    }
    if (peakIndex < 0) {
        peak = 512.0f;
        return 0;
    }
    const float peakValue = samples[peakIndex];
    peak = peakValue;

    // Runs of samples on one side of 512. A sample inside the dead band takes
    // the side opposite to the one before it, so it always ends a run; after
    // it, a quiet stretch alternates sides, and the last quiet sample before a
    // pulse joins the pulse's run when it falls on the pulse's side. This is
    // the established width rule of wave data: files written with it must
    // keep the same widths.
    bool low = samples[0] < 512.0f;
    int run = 1;
    bool passed = samples[0] == peakValue;
    for (int i = 1; i < kWaveSamples; ++i) {
        const bool sampleLow = deviation(samples[i]) >= kDeadBand ? samples[i] < 512.0f : !low;
        if (sampleLow == low) {
            ++run;
        } else {
            if (passed) break;
            run = 1;
        }
        low = sampleLow;
        if (samples[i] == peakValue) passed = true;
    }
    if (!passed || samplePeriodMs <= 0) return 0;
    long width = static_cast<long>(run) * samplePeriodMs;
    return static_cast<uint16_t>(width > 65535 ? 65535 : width);
}

void scaleBlock(WaveBlock& block, int sensorRange, double sensitivity) {
    // 100/31 and 0.02 turn codes into volts at the sensor; range over
    // sensitivity into G.
    const double factor =
        sensitivity > 0 ? sensorRange * 3.225806451612903 * 0.02 / sensitivity : 0.0;
    const double limit = sensorRange * 1.1;
    const double clamp = sensorRange * 1.2;
    auto toG = [&](float& v) {
        double g = (static_cast<double>(v) - 512.0) * factor;
        if (g > limit)
            g = clamp;
        else if (g < -limit)
            g = -clamp;
        v = static_cast<float>(g);
    };
    for (float& s : block.samples) toG(s);
    toG(block.peak);
}

void decodeWaveSamples(const uint8_t* groups, WaveBlock& block, const WaveScaling& scaling) {
    unpackBlock(groups, block.samples);
    block.width = findPeak(block.samples, block.peak, scaling.samplePeriodMs);
    scaleBlock(block, scaling.sensorRange, scaling.sensitivity);
}

}  // namespace kv
