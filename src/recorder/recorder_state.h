#pragma once

#include "recorder/records.h"

namespace kv {

// The recorder records that the last session filled, shared by the screens,
// the download driver and the viewer. Operations take the records they work on
// as arguments; the program makes one state at start-up and hands it to its
// windows.
struct RecorderState {
    RecorderIdentity identity;
    LegacyRecorderInfo legacyInfo;
    RecorderInfo info;
    RecorderClock clock;
    MeasurementIndex index{};
    WaveMeasurementIndex waveIndex{};
    MeasurementCounts measurementCounts{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    std::array<bool, kMeasurementSlots> downloadSelected{};
};

}  // namespace kv
