#pragma once

#include <array>
#include <cstdint>

#include "base/datetime.h"

namespace kv {

// Model codes: 4100/4300 first generation, 5100/5300 second, 6100/6300 third;
// 0 not recognised, -1 an identity text without a model number.
using ModelCode = int32_t;
inline bool isTriaxial(ModelCode code) {
    return code % 1000 == 300;
}
inline bool isSingleAxis(ModelCode code) {
    return code % 1000 == 100;
}
inline int axisCount(ModelCode code) {
    return isTriaxial(code) ? 3 : 1;
}
// The generations: the first speaks the older command set; the later two share
// the newer one, and the third adds the wave-mode overwrite and trigger choices.
inline bool isFirstGeneration(ModelCode code) {
    return code == 4100 || code == 4300;
}
inline bool isLaterGeneration(ModelCode code) {
    return code == 5100 || code == 5300 || code == 6100 || code == 6300;
}
inline bool isThirdGeneration(ModelCode code) {
    return code == 6100 || code == 6300;
}

constexpr int kMeasurementSlots = 10;

// The recorder (or data file) in use: who wrote the data being handled.
struct RecorderIdentity {
    ModelCode modelCode = 0;
    char family[3] = {0, 0, 0};     // "KV"
    uint8_t sensorRange = 0;        // G: 1, 5, 10, 20, 50, 100
    char sensorPlace = 0;           // as sent: 'A' internal, 'B' external
    uint8_t waveData = 0;           // 0 peak data, 1 wave data
    uint8_t identityText[12] = {};  // identity reply bytes 15-26, as received
};

// Status of a first-generation recorder (command 0).
struct LegacyRecorderInfo {
    int32_t deviceNumber = 0;
    int32_t recordPeriod = 0;
    int32_t modelCode = 0;
    int32_t sensorRange = 0;
    uint8_t sensorPlace = 0;  // 0 internal, 1 external
    int32_t serialNumber = 0;
    std::array<int32_t, 3> sensorNumber{};
    std::array<double, 3> sensitivity{};  // mV/G
    double batteryVolts = 0;
};

// Status of a second- or third-generation recorder (command 80).
struct RecorderInfo {
    int32_t deviceNumber = 0;
    int32_t recordPeriod = 0;
    int32_t waveMode = 0;  // 0 peak, 1 wave
    int32_t axisMode = 0;  // 1 axes independent, otherwise simultaneous
    int32_t samplePeriodMs = 0;
    int32_t preTrigger = 0;
    int32_t modelCode = 0;
    int32_t sensorRange = 0;
    uint8_t sensorPlace = 0;  // 0 internal, 1 external
    int32_t serialNumber = 0;
    std::array<int32_t, 3> sensorNumber{};
    int32_t overwriteMode = 0;
    std::array<int32_t, 3> triggerThreshold{};
    std::array<int32_t, 3> triggerLevel{};
    std::array<double, 3> sensitivity{};  // mV/G
    double batteryVolts = 0;
    int32_t firmwareVersion = 0;  // tenths
};

// The recorder's clock as last read. The first generation keeps a two-digit
// year; the later generations a four-digit one.
struct RecorderClock {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// Payload of command 83; one field per entry, sent as its low byte or 16 bits.
struct MeasurementSettings {
    int32_t waveMode = 0;
    int32_t recordPeriod = 0;
    int32_t samplePeriodMs = 0;
    std::array<int32_t, 3> triggerLevel{};
    std::array<int32_t, 3> triggerThreshold{};
    int32_t preTrigger = 0;
    int32_t axisMode = 0;
    int32_t overwriteMode = 0;
};

// Calendar fields exactly as decoded from BCD; unused entries arrive as zeros
// (month 0, day 0) and are kept as received.
struct IndexTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    DateTime toDateTime() const {
        return encodeDateTimeLenient(CalendarTime{year, month, day, hour, minute, second, 0});
    }
};

struct MeasurementIndexEntry {
    IndexTime startTime, endTime;
    int32_t startCause = 0;  // 'S' switch, 'R' remote
    int32_t endCause = 0;    // 'B' battery, 'M' memory full, 'R' remote, 'S' switch
    int32_t recordPeriod = 0;
    uint32_t firstRecord = 0;
    uint32_t recordCount = 0;
};
using MeasurementIndex = std::array<MeasurementIndexEntry, kMeasurementSlots>;

struct WaveIndexEntry {
    IndexTime startTime, endTime;
    int32_t startCause = 0;
    int32_t endCause = 0;
    std::array<int32_t, 3> firstRecord{};
    std::array<int32_t, 3> recordCount{};
};
using WaveMeasurementIndex = std::array<WaveIndexEntry, kMeasurementSlots>;

// Records (peak) or blocks (wave) of each measurement; -1 = no measurement.
using MeasurementCounts = std::array<int32_t, kMeasurementSlots>;

// One shock, all axes; single-axis models fill only the X members.
// Filled raw by the recorder (time = elapsed seconds since the start, peak =
// raw codes) and converted in place to date-times and G values: the raw record
// and the converted row are one layout.
struct PeakRow {
    DateTime time[3] = {0, 0, 0};
    float peak[6] = {0, 0, 0, 0, 0, 0};     // X+, X-, Y+, Y-, Z+, Z-
    int32_t width[6] = {0, 0, 0, 0, 0, 0};  // ms, same order
};
using PeakRecord = PeakRow;
static_assert(sizeof(PeakRow) == 72);

constexpr int kWaveSamples = 512;

// 512 samples of one axis.
struct WaveBlock {
    uint16_t blockNumber = 0;
    DateTime time = 0;
    uint16_t width = 0;  // ms
    float samples[kWaveSamples] = {};
    float peak = 0;
    float resultantG = 0;
};

// Capacities of the stores every download, load and live view fills.
constexpr int kPeakCapacity = 120000;
constexpr int kWaveCapacity = 500;

}  // namespace kv
