#pragma once

#include <cstdint>

namespace zerandi {

// The link's sense of time: pauses and "now". Tests inject a fake that records
// pauses instead of sleeping.
class Clock {
public:
    virtual ~Clock() = default;
    virtual void sleepMs(uint32_t milliseconds) = 0;
    virtual int64_t nowMs() const = 0;  // monotonic
};

}  // namespace zerandi
