#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "base/host.h"
#include "datafile/csv_line.h"
#include "datafile/data_set.h"
#include "datafile/graph_scale.h"
#include "datafile/line_reader.h"
#include "recorder/records.h"

namespace kv {

// The scale the graph window sets after a load: the whole measurement in time
// for peak data, the 512 samples for wave data.
enum class DefaultScale { None, Peak, Wave };

// Why a load gave no new data set.
enum class LoadFailure {
    None,            // loaded
    Cancelled,       // the progress window's cancel button
    Unreadable,      // the file could not be opened, or is no regular file or too large to be one
    NotADataFile,    // its first line names no model that a data file can be of
    Malformed,       // a header line or a record is missing or not readable
    NoTriggered,     // a wave file without records: the loader has shown its notice
    TooManyRecords,  // more records than the store holds
    Unexpected,      // no fault of the file (out of memory): the message says what
};

struct LoadResult {
    LoadFailure failure = LoadFailure::Unreadable;
    // What a person is told of the failure: the notice the loader has shown
    // for NoTriggered, else the text a caller shows when it reports; empty
    // when loaded or cancelled.
    std::string message;
    DefaultScale defaultScale = DefaultScale::None;
    GraphScale scale;  // the default scale of the loaded data
    // Why the file could not be read at all, in the system's words ("not a
    // regular file", "larger than N bytes", "No such file or directory");
    // empty when it was read.
    std::string reason;
    // A loaded file whose last line read had no line end may have been cut
    // off: that line's number (1-based), 0 when every line was whole.
    long cutLine = 0;
    // Values on that line were shorter than they are written: the records
    // they belong to were left out (their count), never read as other values.
    int recordsLeftOut = 0;

    bool loaded() const { return failure == LoadFailure::None; }
    explicit operator bool() const { return loaded(); }
    // A failure that the user neither caused nor has been told of.
    bool worthReporting() const {
        return !loaded() && failure != LoadFailure::Cancelled &&
               failure != LoadFailure::NoTriggered;
    }
    // So rare and so far from the file that it is told whoever asked for the load.
    bool mustBeTold() const { return failure == LoadFailure::Unexpected; }
};

// The largest file the loader reads: as many lines as the largest peak file
// has (the header and 120000 rows), each as long as a line may be. Real files
// stay far below it; a larger one is refused before it is read.
constexpr uint64_t kMaxDataFileBytes = uint64_t{kPeakCapacity + 20} * (LineReader::kMaxLine + 2);

// Reads a measurement CSV data file (CP932; peak or wave data of any of the
// six models, Japanese or English header) into `data`, puts the wave records
// of a 6100 or 6300 file into time order, and sets the model code, sensor
// range and wave flag of `identity`. Progress goes to `host`, which is polled
// for the cancel request; a wave file without records shows its notice there.
// On failure `data` and `identity` are left exactly as they were, and the
// result says why. Only a regular file of at most kMaxDataFileBytes is read;
// anything else (a pipe, a device, a folder) is refused at once, without
// waiting for it.
//
// The file is parsed into a spare store that is swapped in at the end. A
// caller that loads again and again passes one of its own (it then holds the
// previous data and is reused by the next load); without one, the load makes
// its own.
LoadResult loadDataFile(const std::string& path, DataSet& data, RecorderIdentity& identity,
                        Host& host, DataSet* spare = nullptr);
// The same from a file already open for reading (which stays open); `path`
// becomes the data set's file path.
LoadResult loadDataStream(std::FILE* file, const std::string& path, DataSet& data,
                          RecorderIdentity& identity, Host& host, DataSet* spare = nullptr);

}  // namespace kv
