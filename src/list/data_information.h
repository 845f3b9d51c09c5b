#pragma once

#include <string>
#include <vector>

#include "datafile/data_set.h"
#include "recorder/records.h"

namespace kv {

// The header information of the loaded data file as the data-information
// dialog shows it: twelve lines, fourteen for wave data of the later
// generations (pre-trigger and trigger level). Line 9 is always empty so that
// the two times stand apart.
std::vector<std::string> dataInformationLines(const DataSet& data,
                                              const RecorderIdentity& identity);
// The same lines, each ended by "\n".
std::string dataInformationText(const DataSet& data, const RecorderIdentity& identity);

}  // namespace kv
