#pragma once

#include <cstdint>
#include <vector>

#include "serial/Clock.h"

namespace zerandi::test {

// A clock that records every pause instead of sleeping; "now" advances by the pauses.
class FakeClock : public Clock {
public:
    void sleepMs(uint32_t milliseconds) override;
    int64_t nowMs() const override;

    const std::vector<uint32_t>& Sleeps() const { return sleeps_; }
    void ClearSleeps() { sleeps_.clear(); }

private:
    std::vector<uint32_t> sleeps_;
    int64_t now_ = 0;
};

}  // namespace zerandi::test
