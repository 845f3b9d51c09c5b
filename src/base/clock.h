#pragma once

#include <cstdint>

#include "base/datetime.h"

namespace kv {

// Time as the link and the screens see it. The real clock reads the monotonic
// tick and sleeps; tests use a virtual clock in which a sleep only moves time on.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual int64_t nowMs() = 0;  // monotonic milliseconds
    virtual void sleepMs(int64_t ms) = 0;
    virtual DateTime localNow() = 0;  // the PC's local date-time
};

class RealClock : public Clock {
  public:
    int64_t nowMs() override;
    void sleepMs(int64_t ms) override;
    DateTime localNow() override;
};

// The PC's local date-time from localtime_r.
DateTime localDateTimeNow();
// How far the PC's time zone is ahead of UTC at that local date-time, in
// seconds (+32400 in Japan), daylight saving time included.
int utcOffsetSecondsAt(DateTime local);

}  // namespace kv
