#pragma once

#include "base/datetime.h"
#include "datafile/data_set.h"
#include "recorder/recorder_state.h"

namespace kv {

// Converts peak records first .. first + count - 1 of the data set in place,
// from the raw form the recorder sends (elapsed seconds, raw peak codes) into
// time stamps after `start`, peaks in G and widths of at most 1000 ms. The
// range and the sensitivities come from the recorder records of the model in
// the identity. Peaks from 110 % of the range on read 120 % (over-range),
// peaks within 1 % of the range read 0, and a sensitivity of 0 gives 0.
// Single-axis models convert only the X members. Always returns true.
bool convertPeakRecord(DataSet& data, int first, int count, DateTime start,
                       const RecorderState& recorder);

}  // namespace kv
