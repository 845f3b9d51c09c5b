#pragma once

#include <functional>

#include "datafile/data_set.h"
#include "recorder/records.h"

namespace kv {

// Puts wave records first .. first + count - 1 of the first `planes` axes into
// the time order of the X axis. Stable: records with the same time keep their
// order. processEvents, when given, is called now and then during a long sort.
// Returns false, leaving the records as they were, when the working memory
// cannot be had.
bool sortWaveRecordsByTime(DataSet& data, int planes, int first, int count,
                           const std::function<void()>& processEvents = {});

// Puts the wave records of a 6100 or 6300 data set into ascending order of
// their X time stamps (records with equal times keep their order); every other
// data set is left as it is. The loader runs it on every file it loads.
void normaliseWaveOrder(DataSet& data, const RecorderIdentity& identity);

}  // namespace kv
