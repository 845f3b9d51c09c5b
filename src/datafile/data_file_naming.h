#pragma once

#include <array>
#include <string>

#include "base/datetime.h"
#include "datafile/data_file.h"
#include "recorder/recorder_state.h"

namespace kv {

// Where a slot's files go and how they are named: the data folder, and per
// slot automatic naming or the fixed name the user gave.
struct DataFileNames {
    std::string dataFolder;
    std::array<bool, kMeasurementSlots> autoName{};
    std::array<std::string, kMeasurementSlots> fileName;
};

// The name a slot's files share before their "-NN.CSV" suffix, with its folder.
// Automatic names: family, model / 100, kind letter (W wave, P peak), device
// number, the date and the slot + 1, e.g. "KV53W07-2014031502". Fixed names: the
// slot's file name in the data folder, its extension dropped.
std::string dataFileStem(int slot, const DataFileNames& names, const RecorderState& recorder,
                         const CalendarTime& today);

// Creates the slot's next free file: stem + "-01.CSV", "-02.CSV", ... with no
// upper bound. Creation is exclusive (O_CREAT | O_EXCL), so an existing file is
// never overwritten, not even one that appears between two attempts. A missing
// folder is created. On failure the result is not open and carries the error
// number and the path that was tried.
DataFile openDataFile(int slot, const DataFileNames& names, const RecorderState& recorder,
                      DateTime now);

}  // namespace kv
