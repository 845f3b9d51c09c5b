#pragma once

#include <string>

#include "link/link.h"
#include "recorder/recorder_state.h"

namespace kv::tool {

// kvtool info on any link: the main window's recorder-information command
// without its windows. On success returns 0 and the report in out (JSON or
// text); on failure 1, the message having gone to link.host.
int infoCommand(Link& link, int portNumber, int baudRate, bool json, std::string& out);

// The JSON report of the records one information command filled.
// firstGeneration selects the legacy status, the two-digit clock and the peak
// index; statusRead says whether the first generation's status was read (a
// recorder that answers the identity command with a first-generation model
// skips it).
std::string infoJson(const RecorderState& state, bool firstGeneration, bool statusRead);

}  // namespace kv::tool
