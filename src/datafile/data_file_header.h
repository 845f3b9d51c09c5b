#pragma once

#include "datafile/data_file.h"
#include "recorder/recorder_state.h"

namespace kv {

// The three kinds of data file, chosen by the model and the recorder's mode.
enum class DataFileKind { None, FirstGenerationPeak, Peak, Wave };
DataFileKind dataFileKind(ModelCode model, const RecorderInfo& info);

// Writes the header lines of the file's kind for measurement slot (0 to 9):
// recorder, status, start and end, conditions, sensors, counts, and for peak
// files the column titles. Writes nothing to a file that is not open or for a
// model that is none of the six.
void writeFileHeader(DataFile& f, ModelCode model, int slot, const RecorderState& recorder);

}  // namespace kv
