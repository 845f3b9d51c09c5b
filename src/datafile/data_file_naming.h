#pragma once

#include <string>

#include "app/data_file.h"
#include "base/datetime.h"
#include "recorder/recorder_state.h"
#include "settings/pc_settings.h"

namespace kv {

// The name a slot's files share before their "-NN.CSV" suffix, with its folder.
// Automatic names: family, model / 100, kind letter (W wave, P peak), device
// number, the date and the slot + 1, e.g. "KV53W07-2014031502". Fixed names: the
// slot's file name in the data folder, its extension dropped.
std::string dataFileStem(int slot, const PcSettings& settings, const RecorderState& recorder,
                         const CalendarTime& today);

// Creates the slot's next free file: stem + "-01.CSV", "-02.CSV", ... with no
// upper bound. Creation is exclusive (O_CREAT | O_EXCL), so an existing file is
// never overwritten, not even one that appears between two attempts. A missing
// folder is created. On failure the result is not open and carries the error
// number and the path that was tried.
DataFile openDataFile(int slot, const PcSettings& settings, const RecorderState& recorder,
                      DateTime now);

}  // namespace kv
