#include "base/clock.h"

#include <ctime>

namespace kv {

int64_t RealClock::nowMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<int64_t>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

void RealClock::sleepMs(int64_t ms) {
    if (ms <= 0) return;
    timespec ts{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000};
    while (nanosleep(&ts, &ts) != 0) {
        // interrupted by a signal: sleep the rest
    }
}

DateTime RealClock::localNow() {
    return localDateTimeNow();
}

DateTime localDateTimeNow() {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    std::tm tm{};
    localtime_r(&ts.tv_sec, &tm);
    CalendarTime c{tm.tm_year + 1900,
                   tm.tm_mon + 1,
                   tm.tm_mday,
                   tm.tm_hour,
                   tm.tm_min,
                   tm.tm_sec > 59 ? 59 : tm.tm_sec,
                   static_cast<int>(ts.tv_nsec / 1000000)};
    return encodeDateTimeLenient(c);
}

int utcOffsetSecondsAt(DateTime local) {
    const CalendarTime c = decodeDateTime(local);
    std::tm tm{};
    tm.tm_year = c.year - 1900;
    tm.tm_mon = c.month - 1;
    tm.tm_mday = c.day;
    tm.tm_hour = c.hour;
    tm.tm_min = c.minute;
    tm.tm_sec = c.second;
    tm.tm_isdst = -1;  // the zone's rules decide
    const time_t t = mktime(&tm);
    std::tm back{};
    if (t == static_cast<time_t>(-1) || !localtime_r(&t, &back)) return 0;
    return static_cast<int>(back.tm_gmtoff);
}

}  // namespace kv
