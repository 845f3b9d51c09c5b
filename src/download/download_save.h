#pragma once

#include <functional>

#include "datafile/data_file.h"
#include "download/download_driver.h"
#include "download/download_plan.h"

namespace kv {

// Writes the lines or blocks of one measurement after its header; false when
// the records could not all be written.
using WriteMeasurement =
    std::function<bool(DataFile& f, int slot, const PlannedMeasurement& m, ProgressFeed& progress)>;

// Writes one data file per selected measurement: a new file, its header, the
// body. A file that could not be written completely is removed again and the
// measurement is named to the user in one message at the end; the other
// measurements are still saved, and files already written stay. Returns true
// when every file was written.
bool saveMeasurementFiles(DownloadJob& job, const WriteMeasurement& body);

}  // namespace kv
