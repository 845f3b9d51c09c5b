#pragma once

#include "recorder/records.h"
#include "recorder/session.h"

namespace kv {

// Command 32: peak index (first generation, later generations in peak mode).
// Fills index and counts only when the reply was accepted. Unused entries
// (zeros) are kept as received; a count of 0 gives -1 in counts, a count that
// does not fit 31 bits is held as INT32_MAX so it stays recognisably too large.
bool readMeasurementIndex(RecorderSession& s, MeasurementIndex& index, MeasurementCounts& counts);
// Command 112: wave index of a later generation in wave mode. counts takes the
// Z count; an entry with a start cause and no blocks counts as 0, not -1.
bool readWaveIndex(RecorderSession& s, WaveMeasurementIndex& index, MeasurementCounts& counts);
// Command 33: count (1 to 5 triaxial, 1 to 15 single-axis) raw records from the
// record offset counted over all measurements. Offsets beyond 16 bits exist
// only on the 6100 (up to 24 bits); the 4300 stops at 19999. The caller makes
// sure of these limits first (peakIndexFitsCapacity). Fills destination[0 ..
// count-1] only when the reply was accepted and echoes offset and count.
bool readPeakRecords(RecorderSession& s, ModelCode model, int offset, int count,
                     PeakRecord* destination);

// Records (peak) or blocks per axis (wave) of every existing measurement, in
// 64 bits so that ten huge counts cannot overflow.
long long measurementTotal(const MeasurementCounts& counts);
// Whether a download of the whole index fits the stores and the offsets that
// command 33 can address for the model (4300: 20000 records; 6100: the store's
// 120000; other models 65536 by their 16-bit offsets, within the store; none
// for a model outside the six). A download must refuse an index that does not
// fit instead of reading it.
bool peakIndexFitsCapacity(const MeasurementCounts& counts, ModelCode model);
// The same for wave blocks: 500 per axis.
bool waveIndexFitsCapacity(const MeasurementCounts& counts);

}  // namespace kv
