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

// A waveform of one axis: one half-cosine pulse on a quiet line. amplitude is
// the deviation from 512 at the pulse's centre in codes (negative pulls low).
struct SimPulse {
    int amplitude = 0;
    int centre = 256;    // sample index
    int halfWidth = 10;  // samples
};
struct SimWaveBlock {
    uint32_t elapsed = 0;
    std::array<SimPulse, 3> axes;
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
};

// Everything a recorder holds: its identity, status, conditions and memory.
struct RecorderData {
    int model = 5300;
    unsigned seed = 1;
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
// inside the dead band drawn from noiseSeed.
void waveCodes(const SimPulse& pulse, uint64_t noiseSeed, uint16_t* codes);
// The raw code of a centred value (1 to 1023).
uint16_t rawCode(int centred);

}  // namespace kv::sim
