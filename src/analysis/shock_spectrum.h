#pragma once

#include <span>
#include <vector>

namespace kv {

// One single-degree-of-freedom oscillator as a digital filter from base
// acceleration to the mass's absolute acceleration: the ramp-invariant
// recursion (Smallwood), y[n] = b0 x[n] + b1 x[n-1] + b2 x[n-2] - a1 y[n-1] -
// a2 y[n-2] from a state at rest.
struct SrsFilter {
    double b0 = 0, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
};

// The filter of natural frequency frequencyHz and quality factor q (damping
// ratio 1/2q) for samples samplePeriodS apart. Needs q > 1/2, a positive
// frequency and a positive sample period.
SrsFilter designSrsFilter(double frequencyHz, double samplePeriodS, double q);

// The natural frequencies of a spectrum of records sampled every
// samplePeriodMs: 2^(k/12) Hz for every integer k with fs/512 <= 2^(k/12) <=
// fs/10 (twelve to the octave, on a grid through 1 Hz, from the lowest
// frequency a record of 512 samples shows to a tenth of the sampling rate).
// Empty when the sample period is not positive.
std::vector<double> srsFrequenciesHz(double samplePeriodMs);

// Everything about a spectrum that does not depend on the samples, worked
// out once for a whole file.
struct SrsPlan {
    double samplePeriodMs = 0;
    std::vector<double> frequenciesHz;
    std::vector<SrsFilter> filters;  // one per frequency
    // Zeros after the samples, one period of the lowest frequency
    // (ceil(fs / f_min) samples), so that the response after the record,
    // which a short shock's spectrum often peaks in, is counted.
    int paddingSamples = 0;
};
// Empty (no frequencies) when the sample period is not positive or q is not
// above 1/2.
SrsPlan planSrs(double samplePeriodMs, double q);

// The maximax absolute-acceleration shock response spectrum of the samples
// (G): per frequency of the plan, the largest |y| over the samples and the
// padding. Writes plan.frequenciesHz.size() values to srsG. Runs several
// oscillators side by side; the values are those of runSrsFilter.
void shockResponseSpectrumG(std::span<const double> accelerationG, const SrsPlan& plan,
                            std::span<double> srsG);

// The plain recursion of one oscillator over the samples and `padding` zeros:
// the largest |y|. The reference the spectrum is measured against.
double runSrsFilter(std::span<const double> accelerationG, int padding, const SrsFilter& filter);

// The pseudo-velocity of a spectrum value: SRS · g / 2πf, in m/s.
double pseudoVelocityMps(double srsG, double frequencyHz);

}  // namespace kv
