#include "recorder/clock_offset.h"

#include <cmath>

namespace kv {
namespace {

struct StatusName {
    ModelCode model;
    int32_t serialNumber;
};

StatusName statusName(const RecorderState& s, bool firstGeneration) {
    if (firstGeneration) return {s.legacyInfo.modelCode, s.legacyInfo.serialNumber};
    return {s.info.modelCode, s.info.serialNumber};
}

}  // namespace

DateTime recorderClockDateTime(const RecorderClock& c) {
    return encodeDateTimeLenient(
        CalendarTime{c.year, c.month, c.day, c.hour, c.minute, c.second, 0});
}

void noteClockOffset(RecorderState& state, bool firstGeneration, DateTime pcNow) {
    // The recorder counts whole seconds; the PC's fraction of a second is
    // dropped the same way, so a clock that is right reads 0, not -1.
    const double recorder = std::round(recorderClockDateTime(state.clock) * kSecondsPerDay);
    const double pc = std::floor(pcNow * kSecondsPerDay + 1e-6);
    const StatusName name = statusName(state, firstGeneration);
    state.clockOffset = {true, static_cast<long long>(recorder - pc), name.model,
                         name.serialNumber};
}

std::optional<long long> clockOffsetFor(const RecorderState& state, bool firstGeneration) {
    const ClockOffset& o = state.clockOffset;
    const StatusName name = statusName(state, firstGeneration);
    if (!o.known || o.model != name.model || o.serialNumber != name.serialNumber) return {};
    return o.seconds;
}

}  // namespace kv
