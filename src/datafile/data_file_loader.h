#pragma once

#include <cstdio>
#include <string>

#include "base/host.h"
#include "datafile/csv_line.h"
#include "datafile/data_set.h"
#include "datafile/graph_scale.h"
#include "recorder/records.h"

namespace kv {

// The scale the graph window sets after a load: the whole measurement in time
// for peak data, the 512 samples for wave data.
enum class DefaultScale { None, Peak, Wave };

struct LoadResult {
    bool loaded = false;
    DefaultScale defaultScale = DefaultScale::None;
    GraphScale scale;  // the default scale of the loaded data
    explicit operator bool() const { return loaded; }
};

// Reads a measurement CSV data file (CP932; peak or wave data of any of the
// six models, Japanese or English header) into `data`, and sets the model code,
// sensor range and wave flag of `identity`. Progress goes to `host`, which is
// polled for the cancel request; a wave file without records shows its notice
// there. On failure (unreadable, unrecognised or malformed file, more records
// than the store holds, cancellation) `data` and `identity` are left exactly as
// they were. The file is parsed into a spare store that is swapped in at the
// end; that spare is allocated once and reused by later loads.
LoadResult loadDataFile(const std::string& path, DataSet& data, RecorderIdentity& identity,
                        Host& host);
// The same from a file already open for reading (which stays open); `path`
// becomes the data set's file path.
LoadResult loadDataStream(std::FILE* file, const std::string& path, DataSet& data,
                          RecorderIdentity& identity, Host& host);

// Puts the wave records of a 6100 or 6300 data set into ascending order of
// their X time stamps (records with equal times keep their order); every other
// data set is left as it is. Run after every successful load.
void normaliseWaveOrder(DataSet& data, const RecorderIdentity& identity);

}  // namespace kv
