#pragma once

#include "recorder/records.h"

namespace kv {

// The recorder's clock against the PC's, from the last time it was read:
// recorder minus PC in whole seconds, and which recorder it was (model and
// serial number of its status record), so that no other recorder's file is
// ever credited with it.
struct ClockOffset {
    bool known = false;
    long long seconds = 0;
    ModelCode model = 0;
    int32_t serialNumber = 0;
};

// The recorder records that the last session filled, shared by the screens,
// the download driver and the viewer. Operations take the records they work on
// as arguments; the program makes one state at start-up and hands it to its
// windows.
struct RecorderState {
    RecorderIdentity identity;
    LegacyRecorderInfo legacyInfo;
    RecorderInfo info;
    RecorderClock clock;
    ClockOffset clockOffset;
    MeasurementIndex index{};
    WaveMeasurementIndex waveIndex{};
    MeasurementCounts measurementCounts{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    std::array<bool, kMeasurementSlots> downloadSelected{};
};

}  // namespace kv
