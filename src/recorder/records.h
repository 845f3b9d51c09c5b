#pragma once

#include <array>
#include <cstdint>

#include "base/datetime.h"
#include "recorder/recorder_models.h"

namespace kv {

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

// The recorder's clock as last read, with a four-digit year.
struct RecorderClock {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// Recorders count years in two digits (0 to 99): 98 and 99 are 1998 and 1999,
// 0 to 97 are 2000 to 2097.
constexpr int recorderYear(int twoDigits) {
    return twoDigits > 97 ? 1900 + twoDigits : 2000 + twoDigits;
}

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

}  // namespace kv
