#pragma once

#include <cstddef>
#include <cstdint>

#include "recorder/records.h"

namespace kv {

// Wave samples travel as 10-bit sign-and-magnitude codes, four to a five-byte
// group; 128 groups (640 bytes) carry the 512 samples of one axis.
constexpr size_t kSampleGroupBytes = 5;
constexpr size_t kBlockGroupBytes = kWaveSamples / 4 * kSampleGroupBytes;  // 640

// Sign-and-magnitude 10-bit code (bit 9 the sign) to the centred value in 1 to
// 1023, 512 = no acceleration. Only the low 10 bits of raw are read.
float centre(uint16_t raw);
// Five bytes to four centred samples: the first byte holds the two high bits of
// each sample (first sample in bits 7-6), the next four their low bytes.
void unpackSamples(const uint8_t* group, float* destination);
// 640 bytes to the 512 centred samples of one axis.
void unpackBlock(const uint8_t* groups, float* samples);

// Largest deviation from 512 (the first sample with it) and the width of its
// pulse: the run of consecutive same-side samples that holds the peak, times
// the sample period, saturated at 65535 ms. The first sample's side is below
// 512 or not; a later sample within the dead band of +-5 codes takes the side
// opposite to its predecessor, so it ends a run and may start the next one (a
// peak inside the dead band is a pulse of one sample). Writes the peak as a
// centred value; when no sample deviates, peak 512 and width 0.
uint16_t findPeak(const float* samples, float& peak, int samplePeriodMs);

// Centred samples and peak to G with the sensor range (G) and the sensitivity
// (mV/G). Values beyond 110 % of the range become 120 % of it, with their sign,
// so over-range stays visible. A sensitivity that is not above 0 has no
// conversion: every value becomes 0 G.
void scaleBlock(WaveBlock& block, int sensorRange, double sensitivity);

// What turns a wave block's raw groups into G: unpack, find the peak, scale.
struct WaveScaling {
    int samplePeriodMs = 0;
    int sensorRange = 0;
    double sensitivity = 0;  // mV/G of the chosen axis
};
// 640 bytes of groups into block.samples, block.peak and block.width, in G.
// Leaves blockNumber, time and resultantG alone.
void decodeWaveSamples(const uint8_t* groups, WaveBlock& block, const WaveScaling& scaling);

}  // namespace kv
