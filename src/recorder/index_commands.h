#pragma once

#include "recorder/records.h"
#include "recorder/session.h"

namespace kv {

// Command 32: peak index (first generation, later generations in peak mode).
bool readMeasurementIndex(RecorderSession& s, MeasurementIndex& index, MeasurementCounts& counts);
// Command 112: wave index of a later generation in wave mode.
bool readWaveIndex(RecorderSession& s, WaveMeasurementIndex& index, MeasurementCounts& counts);
// Command 33: count (1 to 5 triaxial, 1 to 15 single-axis) raw records from the
// record offset counted over all measurements.
bool readPeakRecords(RecorderSession& s, ModelCode model, int offset, int count,
                     PeakRecord* destination);

}  // namespace kv
