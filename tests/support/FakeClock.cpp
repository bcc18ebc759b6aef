#include "support/FakeClock.h"

namespace zerandi::test {

void FakeClock::sleepMs(uint32_t milliseconds) {
    sleeps_.push_back(milliseconds);
    now_ += milliseconds;
}

int64_t FakeClock::nowMs() const {
    return now_;
}

}  // namespace zerandi::test
