#include "base/datetime.h"

#include <cmath>
#include <cstdio>

namespace kv {
namespace {

// Days from 0000-03-01 style civil algorithm (Howard Hinnant), shifted to the
// 1899-12-30 epoch.
long long daysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void civilFromDays(long long z, int& y, int& m, int& d) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long yy = static_cast<long long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yy + (m <= 2));
}

const long long kEpochDays = daysFromCivil(1899, 12, 30);

bool isLeap(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int daysInMonth(int y, int m) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeap(y) ? 29 : days[m - 1];
}

bool parseUInt(std::string_view s, int& out) {
    if (s.empty() || s.size() > 4) return false;
    int v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
    }
    out = v;
    return true;
}

}  // namespace

bool isValidDate(int year, int month, int day) {
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= daysInMonth(year, month);
}

DateTime encodeDateTimeLenient(const CalendarTime& c) {
    // Month 0 and day 0 are read as the last day of the previous month: the
    // arithmetic stays defined for the zero-filled entries recorders send.
    long long y = c.year;
    long long m = c.month;
    if (m < 1 || m > 12) {
        long long mm = m - 1;
        y += (mm >= 0 ? mm / 12 : (mm - 11) / 12);
        m = ((mm % 12) + 12) % 12 + 1;
    }
    long long days = daysFromCivil(y, static_cast<unsigned>(m), 1) + (c.day - 1) - kEpochDays;
    double frac =
        (c.hour * 3600.0 + c.minute * 60.0 + c.second + c.millisecond / 1000.0) / kSecondsPerDay;
    return static_cast<double>(days) + frac;
}

std::optional<DateTime> encodeDateTime(const CalendarTime& c) {
    if (!isValidDate(c.year, c.month, c.day)) return std::nullopt;
    if (c.hour < 0 || c.hour > 23 || c.minute < 0 || c.minute > 59 || c.second < 0 ||
        c.second > 59 || c.millisecond < 0 || c.millisecond > 999)
        return std::nullopt;
    return encodeDateTimeLenient(c);
}

CalendarTime decodeDateTime(DateTime t) {
    CalendarTime c;
    if (!std::isfinite(t)) return c;
    // Round to the millisecond before splitting, so representation error never
    // turns 10:00:00 into 09:59:59.999.
    double msTotal = std::round(t * kSecondsPerDay * 1000.0);
    const double msPerDay = kSecondsPerDay * 1000.0;
    double dayPart = std::floor(msTotal / msPerDay);
    long long msOfDay = static_cast<long long>(msTotal - dayPart * msPerDay);
    civilFromDays(static_cast<long long>(dayPart) + kEpochDays, c.year, c.month, c.day);
    c.hour = static_cast<int>(msOfDay / 3600000);
    c.minute = static_cast<int>(msOfDay / 60000 % 60);
    c.second = static_cast<int>(msOfDay / 1000 % 60);
    c.millisecond = static_cast<int>(msOfDay % 1000);
    return c;
}

std::string formatDate(DateTime t) {
    CalendarTime c = decodeDateTime(t);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d/%02d/%02d", c.year, c.month, c.day);
    return buf;
}

std::string formatTime(DateTime t) {
    CalendarTime c = decodeDateTime(t);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", c.hour, c.minute, c.second);
    return buf;
}

std::string formatDateTimeText(DateTime t) {
    return formatDate(t) + " " + formatTime(t);
}

std::string formatIsoDateTime(DateTime t) {
    CalendarTime c = decodeDateTime(t);
    char buf[48];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02dT%02d:%02d:%02d", c.year, c.month, c.day, c.hour,
                  c.minute, c.second);
    return buf;
}

std::optional<DateTime> parseDate(std::string_view text) {
    size_t a = text.find('/');
    if (a == std::string_view::npos) return std::nullopt;
    size_t b = text.find('/', a + 1);
    if (b == std::string_view::npos) return std::nullopt;
    int y, m, d;
    std::string_view ys = text.substr(0, a), ms = text.substr(a + 1, b - a - 1),
                     ds = text.substr(b + 1);
    if (ys.size() != 4 || ms.size() > 2 || ds.size() > 2) return std::nullopt;
    if (!parseUInt(ys, y) || !parseUInt(ms, m) || !parseUInt(ds, d)) return std::nullopt;
    return encodeDateTime(CalendarTime{y, m, d, 0, 0, 0, 0});
}

std::optional<DateTime> parseTime(std::string_view text) {
    size_t a = text.find(':');
    if (a == std::string_view::npos) return std::nullopt;
    size_t b = text.find(':', a + 1);
    if (b == std::string_view::npos) return std::nullopt;
    int h, m, s;
    std::string_view hs = text.substr(0, a), ms = text.substr(a + 1, b - a - 1),
                     ss = text.substr(b + 1);
    if (hs.size() > 2 || ms.size() > 2 || ss.size() > 2) return std::nullopt;
    if (!parseUInt(hs, h) || !parseUInt(ms, m) || !parseUInt(ss, s)) return std::nullopt;
    if (h > 23 || m > 59 || s > 59) return std::nullopt;
    return (h * 3600.0 + m * 60.0 + s) / kSecondsPerDay;
}

}  // namespace kv
