#pragma once

#include <cstdint>
#include <vector>

#include "base/clock.h"

namespace kv::test {

// A clock in which time moves only when someone moves it: sleepMs() advances
// it at once, and the in-memory device advances it to the next byte it
// delivers. Kept in microseconds so that bytes paced at a baud rate fall
// between milliseconds; nowMs() rounds down.
//
//   VirtualClock clock;               // starts at 1,000,000 ms, 2025/04/01 10:00:00 local
//   clock.sleepMs(750);               // nowMs() + 750, recorded in sleeps()
//   clock.setLocalNow(*encodeDateTime({2024, 2, 29, 23, 59, 59}));
class VirtualClock : public Clock {
  public:
    explicit VirtualClock(int64_t startMs = 1'000'000);

    int64_t nowMs() override { return nowUs_ / 1000; }
    void sleepMs(int64_t ms) override;  // advances; negative or 0 does nothing but is recorded
    DateTime localNow() override;       // the date-time set last, plus the virtual time since

    int64_t nowUs() const { return nowUs_; }
    void advanceMs(int64_t ms) { advanceUs(ms * 1000); }
    void advanceUs(int64_t us);
    void advanceToUs(int64_t us);  // never backwards
    void setLocalNow(DateTime t);

    // Every sleepMs argument, in order, and their sum (positive ones).
    const std::vector<int64_t>& sleeps() const { return sleeps_; }
    int64_t sleptMs() const;

  private:
    int64_t nowUs_;
    int64_t localBaseUs_;
    DateTime localBase_;
    std::vector<int64_t> sleeps_;
};

}  // namespace kv::test
