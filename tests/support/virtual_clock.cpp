#include "support/virtual_clock.h"

namespace kv::test {

VirtualClock::VirtualClock(int64_t startMs)
    : nowUs_(startMs * 1000),
      localBaseUs_(nowUs_),
      localBase_(encodeDateTimeLenient({2025, 4, 1, 10, 0, 0, 0})) {}

void VirtualClock::sleepMs(int64_t ms) {
    sleeps_.push_back(ms);
    if (ms > 0) advanceUs(ms * 1000);
}

void VirtualClock::advanceUs(int64_t us) {
    if (us > 0) nowUs_ += us;
}

void VirtualClock::advanceToUs(int64_t us) {
    if (us > nowUs_) nowUs_ = us;
}

DateTime VirtualClock::localNow() {
    return localBase_ + static_cast<double>(nowUs_ - localBaseUs_) / (kSecondsPerDay * 1e6);
}

void VirtualClock::setLocalNow(DateTime t) {
    localBase_ = t;
    localBaseUs_ = nowUs_;
}

int64_t VirtualClock::sleptMs() const {
    int64_t sum = 0;
    for (int64_t s : sleeps_)
        if (s > 0) sum += s;
    return sum;
}

}  // namespace kv::test
