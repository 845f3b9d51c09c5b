#pragma once

#include <string>

#include "base/datetime.h"
#include "datafile/data_file_naming.h"
#include "monitor/live_monitor.h"

namespace kv {

class Host;

// How saving a live run went: the file written, or the path tried and the
// error number; and the error number of the download journal's line (the
// file is saved all the same).
struct LiveSaveResult {
    bool saved = false;
    std::string path;
    int error = 0;
    int journalError = 0;
    std::string journal;
};

// Saves the telegrams of a run as a data file like a downloaded measurement
// of the first slot: its naming (family, model, kind, device number, date,
// "-NN.CSV", never overwriting), the header of the run's settings with the
// first and last telegram as start and end and the number of telegrams as the
// count, then the peak lines or wave blocks. A file that could not be written
// completely is removed. A run without telegrams is not saved. A saved file
// gets its line in the download journal of the data folder.
LiveSaveResult saveLiveRun(const LiveRun& run, const DataFileNames& names, DateTime now);

// Tells the user: the file's path, or why it could not be saved.
void reportLiveSave(Host& host, const LiveSaveResult& result);

}  // namespace kv
