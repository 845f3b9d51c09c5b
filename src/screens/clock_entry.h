#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/datetime.h"
#include "recorder/records.h"

namespace kv {

// The clock texts of the condition screens: what a person types as the time to
// set, and how the recorder's clock is shown.

// Later generations: "yyyy/m/d", optionally followed by "h:m" or "h:m:s", blanks
// around allowed. A year of one or two digits takes the recorder's century
// window (98 and 99 are 1998 and 1999, 0 to 97 are 2000 to 2097). A date that
// does not exist (30 February, month 0) gives nullopt.
std::optional<DateTime> parseDateTimeText(std::string_view text);

enum class ClockTextStatus { Accepted, NotRecognised, OutOfRange };
struct ClockTextCheck {
    ClockTextStatus status = ClockTextStatus::NotRecognised;
    DateTime time = 0;
    std::string message;  // empty when accepted
};
// A time the recorder can keep lies strictly between 1998/1/1 0:00:00 and
// 2097/12/31 23:59:59.
ClockTextCheck checkClockText(std::string_view text);

// First generation: year up to "/", month up to "/", day up to a blank, hour up
// to ":", minute up to ":", second the rest; runs of a field's delimiter before
// it are skipped and each field is read by its leading digits. The year is two
// digits (0 to 99) or 1998 to 2097. A missing field, a field out of its range or
// a date that does not exist gives nullopt.
std::optional<DateTime> parseLegacyClockText(std::string_view text);
// The recorder's clock, "yyyy/mm/dd hh:mm:ss".
std::string legacyClockText(const RecorderClock& clock);

CalendarTime calendarOf(const RecorderClock& clock);
RecorderClock recorderClockOf(DateTime t);

}  // namespace kv
