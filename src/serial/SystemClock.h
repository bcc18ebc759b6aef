#pragma once

#include "serial/Clock.h"

namespace zerandi {

// The real clock: pauses really sleep, "now" is the monotonic clock.
class SystemClock : public Clock {
public:
    void sleepMs(uint32_t milliseconds) override;
    int64_t nowMs() const override;
};

}  // namespace zerandi
