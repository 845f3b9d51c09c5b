#pragma once

#include <array>
#include <string>
#include <vector>

#include "download/download_journal.h"
#include "recorder/recorder_state.h"

namespace kv {

// What a measurement is known by on the PC: the recorder (model, serial
// number), the kind, start and end, and how many records it holds.
struct MeasurementKey {
    ModelCode model = 0;
    int32_t serialNumber = 0;
    bool wave = false;
    long long startSeconds = 0;  // since 1899-12-30, the recorder's own time
    long long endSeconds = 0;
    long long recordCount = 0;  // records (wave: blocks per axis) a download fetches
    // The counts the header of its data file states: the record count, or the
    // block counts X (and Y, Z for triaxial models) of the index.
    std::vector<long long> headerCounts;
};

// The key of measurement slot (0 to 9) of the recorder records, read by a
// recorder of that generation; nothing is meaningful for a slot whose count
// is -1.
MeasurementKey measurementKeyOf(const RecorderState& recorder, bool firstGeneration, int slot);

// The key that the first lines of a data file state; false for a file that
// is no data file or whose header does not read.
bool readDataFileKey(const std::string& path, MeasurementKey& key);

// For each of the ten measurements of the recorder, the names of the data
// files in the data folder that hold it already (none for a measurement that
// does not exist). A file counts when it is there: the journal names it with
// the same key, or, for a file the journal does not name (copied in, journal
// deleted), its header states the same key.
using SavedMeasurements = std::array<std::vector<std::string>, kMeasurementSlots>;
SavedMeasurements findSavedMeasurements(const std::string& dataFolder,
                                        const RecorderState& recorder, bool firstGeneration);

// Ticks the measurements that exist and are not saved yet.
std::array<bool, kMeasurementSlots> newMeasurements(const RecorderState& recorder,
                                                    const SavedMeasurements& saved);

}  // namespace kv
