#pragma once

#include <optional>

#include "base/datetime.h"
#include "recorder/recorder_state.h"

namespace kv {

// The recorder's clock as a date-time.
DateTime recorderClockDateTime(const RecorderClock& clock);

// Right after the clock was read: keeps recorder minus PC (pcNow, the PC's
// local time at the reply) in whole seconds for the recorder whose status
// record the generation fills.
void noteClockOffset(RecorderState& state, bool firstGeneration, DateTime pcNow);

// The kept offset when it belongs to the recorder that the status record of
// the generation describes now; nothing otherwise.
std::optional<long long> clockOffsetFor(const RecorderState& state, bool firstGeneration);

}  // namespace kv
