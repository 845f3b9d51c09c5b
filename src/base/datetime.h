#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kv {

// A date-time is a count of days since 1899-12-30 00:00; the fraction is the time
// of day. One second is 1/86400.
using DateTime = double;

struct CalendarTime {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
    bool operator==(const CalendarTime&) const = default;
};

constexpr double kSecondsPerDay = 86400.0;

// Encodes calendar fields; nullopt when a field is out of its range (month 13,
// 30 February, hour 24 ...).
std::optional<DateTime> encodeDateTime(const CalendarTime& c);
// Encodes without checking the fields' ranges beyond what the arithmetic needs:
// day 0 or month 0 from a recorder's unused entries still give a number.
DateTime encodeDateTimeLenient(const CalendarTime& c);
bool isValidDate(int year, int month, int day);

// Decodes, rounding to the nearest millisecond first, so that a start time plus
// 3600 s reads 10:00:00 and never 09:59:59.
CalendarTime decodeDateTime(DateTime t);

std::string formatDate(DateTime t);          // "yyyy/mm/dd"
std::string formatTime(DateTime t);          // "hh:mm:ss"
std::string formatDateTimeText(DateTime t);  // "yyyy/mm/dd hh:mm:ss"
// ISO 8601 without a zone, for machine-readable output: "2014-03-05T09:12:48".
std::string formatIsoDateTime(DateTime t);

// Strict parsers of the two forms: "yyyy/mm/dd" (one or two digits for month and
// day are accepted) and "hh:mm:ss". The date gives whole days, the time a fraction.
std::optional<DateTime> parseDate(std::string_view text);
std::optional<DateTime> parseTime(std::string_view text);

}  // namespace kv
