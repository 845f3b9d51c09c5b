#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/datetime.h"
#include "recorder/records.h"

namespace kv::sim {

struct RecorderConfig;

// One axis of a peak record as the recorder stores it.
struct SimPeakAxis {
    uint32_t elapsed = 0;  // seconds since the measurement start
    uint16_t positive = 0;
    int16_t negative = 0;
    uint16_t positiveWidth = 0;
    uint16_t negativeWidth = 0;
};
using SimPeakRecord = std::array<SimPeakAxis, 3>;

// How the generated measurements look. Shipment: the shocks of a parcel on
// its way (bursts while it is handled, long quiet stretches in transport,
// mostly small shocks and a few hard ones, real pulse shapes). Uniform: peaks
// spread evenly over the range and one plain pulse per block, the data that
// older tests and benchmarks compare byte for byte.
enum class MeasurementData { Shipment, Uniform };

// The form of a pulse. A half-sine is what a drop on a cushioned floor gives,
// a saw-tooth (slow rise, sudden end) a crushing package, a trapezoid a hit
// on a hard stop that holds.
enum class PulseShape { HalfSine, SawTooth, Trapezoid };

// A waveform of one axis: one pulse on a quiet line, then its swing back.
// amplitude is the deviation from 512 at the pulse's top in codes (negative
// pulls low). The plain pulse (the defaults) is a half-sine with a little
// noise.
struct SimPulse {
    int amplitude = 0;
    double centre = 256;    // sample index of the pulse's middle
    double halfWidth = 10;  // samples
    PulseShape shape = PulseShape::HalfSine;
    double rebound = 0;       // the swing back after the pulse, a fraction of amplitude
    double reboundWidth = 0;  // samples of the swing back; 0 = none
    double ringDecay = 0;     // samples in which the ringing after it falls to 1/e; 0 = none
    int noise = 2;            // codes of noise either side of the line
    int saturation = 511;     // codes beyond which the amplifier clips
};
struct SimWaveBlock {
    uint32_t elapsed = 0;
    std::array<SimPulse, 3> axes;
};

// Where a walk through a generated trip stood at one of its shocks, kept every
// few dozen shocks so that shock k is found from the mark before it.
struct TripMark {
    uint32_t elapsed = 0;
    int32_t episode = 0;
    int32_t step = 0;
};

// One measurement of the index. Records and blocks not listed are generated
// from the seed, so a measurement of 20000 records costs no memory.
struct SimMeasurement {
    CalendarTime start, end;  // four-digit years; the index carries two
    uint8_t startCause = 'S';
    uint8_t endCause = 'S';
    int recordPeriod = 1;
    int count = 0;                              // peak records, or wave blocks per axis
    std::array<int, 3> axisCounts{-1, -1, -1};  // wave index counts per axis; -1 = count
    std::vector<SimPeakRecord> peaks;
    std::vector<SimWaveBlock> blocks;
    std::vector<uint8_t> rawEntry;  // the index entry's bytes exactly as sent, when set
    std::vector<TripMark> trip;     // shipment data: marks of its timeline (planTrips)
};

// Everything a recorder holds: its identity, status, conditions and memory.
struct RecorderData {
    int model = 5300;
    unsigned seed = 1;
    MeasurementData data = MeasurementData::Shipment;
    char family[2] = {'K', 'V'};
    int deviceNumber = 1;
    int serialNumber = 1234;
    int sensorRange = 50;  // G
    char sensorPlace = 'A';
    std::array<int, 3> sensorNumber{101, 102, 103};
    std::array<int, 3> sensitivityTenths{100, 100, 100};  // mV/G x 10
    int batteryTenths = 36;
    int firmwareTenths = 12;
    // The conditions of command 83; recordPeriod also serves the first generation.
    MeasurementSettings settings{0, 1, 1, {10, 10, 10}, {100, 100, 100}, 0, 0, 0};
    std::string identityText = "SN1234 V1.20";  // 12 bytes after range and place
    // The model text of the identity reply; empty = model and range.
    std::string identityModelText;
    std::optional<DateTime> clockStart;        // the clock at start; empty = the time source's
    std::vector<SimMeasurement> measurements;  // at most 10

    bool firstGeneration() const { return model == 4100 || model == 4300; }
    bool waveMode() const { return !firstGeneration() && settings.waveMode == 1; }
    int axes() const { return isTriaxial(model) ? 3 : 1; }
};

// A recorder full of measurements generated from the configuration's seed.
RecorderData generateRecorderData(const RecorderConfig& config);
// Marks the timelines of the measurements that have none (those a description
// added), so that their shipment records are found quickly. Any record can be
// made without them, only more slowly.
void planTrips(RecorderData& data);

// Reads a description (format in recorder_model.h) over data. False with a
// message naming the line when a statement is not understood.
bool applyRecorderDescription(std::string_view text, RecorderData& data, std::string& error);

// Record number and block number are counted over all measurements in order.
// Out of range (no such record) gives zeros.
SimPeakRecord peakRecordAt(const RecorderData& data, long record);
SimWaveBlock waveBlockAt(const RecorderData& data, long block);

// Generated live data, numbered from 0, all axes.
SimPeakRecord livePeakRecord(const RecorderData& data, long n);
SimWaveBlock liveWaveBlock(const RecorderData& data, long n);

// The 512 raw 10-bit codes (bit 9 the sign) of a pulse, with a little noise
// drawn from noiseSeed, clipped at the pulse's saturation.
void waveCodes(const SimPulse& pulse, uint64_t noiseSeed, uint16_t* codes);
// The raw code of a centred value (1 to 1023).
uint16_t rawCode(int centred);
// The raw code of a pulse's top as the block reply carries it, clipped as its
// samples are.
uint16_t peakCode(const SimPulse& pulse);

}  // namespace kv::sim
