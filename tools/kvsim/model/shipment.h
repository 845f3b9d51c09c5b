#pragma once

#include <cstdint>
#include <vector>

#include "model/recorder_memory.h"

namespace kv::sim {

// The generated measurements of MeasurementData::Shipment: a parcel's trip
// through episodes that alternate between handling (loading, sorting,
// unloading: shocks seconds apart, now and then a drop) and transport (bumps
// of the road minutes apart), with quiet stretches between them.

enum class TripPhase { Handling, Transport };

// Where shock k of a trip happens.
struct TripPoint {
    uint32_t elapsed = 0;  // seconds since the measurement start
    TripPhase phase = TripPhase::Handling;
};

// One shock as the recorder's sensors feel it. peakG is the signed top of
// the pulse on each axis; the axis that triggered has the largest.
struct Shock {
    PulseShape shape = PulseShape::HalfSine;
    double durationMs = 10;
    int principal = 0;
    std::array<double, 3> peakG{};
    double rebound = 0;  // fraction of the top that swings back
    double reboundMs = 0;
    double ringDecayMs = 0;
};

// Which trip: measurement `measurement` of the recorder with `seed`, whose
// shocks are whole record periods apart (peak mode; 1 s for wave mode).
struct TripKey {
    unsigned seed = 1;
    long measurement = 0;
    int quantumSeconds = 1;
};
// The record period of index 0 to 8 in seconds (1 s to 10 min); 1 otherwise.
int recordPeriodSeconds(int index);

// Walks the trip of `shocks` shocks; gives its marks and the elapsed seconds
// of its last shock (0 when it has none).
std::vector<TripMark> planTrip(const TripKey& trip, long shocks, uint32_t& last);
// Shock k of the trip, found from the nearest mark at or before it.
TripPoint tripPoint(const TripKey& trip, long k, const std::vector<TripMark>& marks);

// Shock k of a measurement: a heavy-tailed size above the trigger level
// (handling has the heavier tail), a duration of a few to tens of ms (harder
// hits are shorter), a shape, and its swing back.
Shock shockAt(const RecorderData& d, long measurement, long k, TripPhase phase);

// The recorder's peak record and wave block of a shock.
SimPeakRecord shockPeakRecord(const RecorderData& d, const Shock& s, uint32_t elapsed);
SimWaveBlock shockWaveBlock(const RecorderData& d, const Shock& s, uint32_t elapsed);

// Raw codes per G of an axis as the PC converts them (range x 2/31 /
// sensitivity G per code); single-axis models use the Z sensitivity.
double codesPerG(const RecorderData& d, int axis);

// The share of a pulse's duration before it reaches `level` (0 to 1) of its
// top: where the trigger fires.
double riseFraction(PulseShape shape, double level);
// The pulse's height (0 to 1) at x (0 to 1) of its duration.
double pulseHeight(PulseShape shape, double x);

}  // namespace kv::sim
