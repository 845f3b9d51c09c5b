#pragma once

#include <string>

#include "download/saved_measurements.h"
#include "link/link.h"
#include "recorder/recorder_state.h"

namespace kv::tool {

// kvtool info on any link: the main window's recorder-information command
// without its windows. On success returns 0 and the report in out (JSON or
// text); on failure 1, the message having gone to link.host. The measurements
// whose data files are in dataFolder are reported as saved.
int infoCommand(Link& link, int portNumber, int baudRate, bool json, std::string& out,
                const std::string& dataFolder = {});

// The JSON report of the records one information command filled.
// firstGeneration selects the legacy status, the two-digit clock and the peak
// index; statusRead says whether the first generation's status was read (a
// recorder that answers the identity command with a first-generation model
// skips it). Each index entry carries the names of its saved files.
std::string infoJson(const RecorderState& state, bool firstGeneration, bool statusRead,
                     const SavedMeasurements& saved = {});

}  // namespace kv::tool
