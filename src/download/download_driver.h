#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "datafile/data_set.h"
#include "download/download_settings.h"
#include "link/link.h"
#include "recorder/recorder_state.h"
#include "recorder/session.h"

namespace kv {

// One download: what it works on, and what it leaves behind. The program
// passes its process-wide settings, recorder records and data set; tests and
// kvtool their own. The measurements fetched are recorder.downloadSelected.
struct DownloadJob {
    DownloadJob(Link& l, DownloadSettings s, RecorderState& r, DataSet& d)
        : link(l), settings(std::move(s)), recorder(r), data(d) {}

    Link& link;
    const DownloadSettings settings;  // port, baud rate, data folder, file names
    RecorderState& recorder;
    DataSet& data;

    // The files written completely, in measurement order.
    std::vector<std::string> savedFiles;
    // Set by a step that has told the user about its failure itself, so that
    // the communication-failure notice is not shown on top.
    bool failureShown = false;

    // When set, called once status and index are read and before any record
    // is: it may change recorder.downloadSelected (only what is not on the PC
    // yet). When it leaves no existing measurement selected, the download
    // ends there and says that there is nothing new.
    std::function<void(RecorderState&)> chooseMeasurements;
};

// The download of the selected measurements, after the caller has decided the
// generation (the identity command answered: later generation). Asks for
// confirmation; reads status and index in one session; refuses an index that
// claims more than the stores hold; then in a second session reads every
// selected measurement, converts (peak) or sorts (wave) it and writes one data
// file per measurement; reports the outcome in a message box. The data set's
// lastIndex becomes -1 because its stores are overwritten. Returns true when
// the user confirmed and every step succeeded.
bool downloadFirstGeneration(DownloadJob& job);
bool downloadLaterGeneration(DownloadJob& job);

// True when a session of the job has its line; otherwise the port message has
// been shown and the job notes it, so no communication notice follows.
bool jobSessionReady(DownloadJob& job, RecorderSession& session);

// The steps, each true on success. Measurements whose count is -1 do not
// exist: they hold no records and are passed over, and the ones after them are
// read as usual.
bool downloadPeakMeasurements(DownloadJob& job);
bool savePeakFiles(DownloadJob& job);
bool downloadWaveMeasurements(DownloadJob& job);
// Puts the records of each selected wave measurement into time order (by the
// X times; Y and Z follow). Without memory for it, says so and leaves them in
// download order.
void sortWaveRecords(DownloadJob& job);
bool saveWaveFiles(DownloadJob& job);

}  // namespace kv
