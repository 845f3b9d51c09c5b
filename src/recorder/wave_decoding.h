#pragma once

#include <cstdint>

#include "recorder/records.h"

namespace kv {

// Sign-and-magnitude 10-bit code to the centred value (512 = no acceleration).
float centre(uint16_t raw);
// Five bytes to four centred samples.
void unpackSamples(const uint8_t* group, float* destination);
// Largest deviation and the width of its pulse (run count x sample period);
// width 0 and peak 512 when no sample deviates.
uint16_t findPeak(const float* samples, float& peak, int samplePeriodMs);
// Centred samples and peak to G with the range and the sensitivity (mV/G);
// a sensitivity of 0 gives 0 G.
void scaleBlock(WaveBlock& block, int sensorRange, double sensitivity);

}  // namespace kv
