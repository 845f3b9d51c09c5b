#pragma once

#include "recorder/records.h"
#include "recorder/session.h"

namespace kv {

// Command 0: status of a first-generation recorder. Fills info and updates the
// identity (model code only for a recognised type character).
bool readStatusLegacy(RecorderSession& s, LegacyRecorderInfo& info, RecorderIdentity& identity);
// Command 80: status of a later-generation recorder.
bool readStatus(RecorderSession& s, RecorderInfo& info);
// Command 240: identity text (model number, range, place).
bool readIdentity(RecorderSession& s, RecorderIdentity& identity);
// The generation test: command 240 into a local record, else command 0.
bool isFirstGeneration(RecorderSession& s, LegacyRecorderInfo& info, RecorderIdentity& identity);

}  // namespace kv
