#include "serial/SystemClock.h"

#include <chrono>
#include <thread>

namespace zerandi {

void SystemClock::sleepMs(uint32_t milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

int64_t SystemClock::nowMs() const {
    const auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::milliseconds>(sinceStart).count();
}

}  // namespace zerandi
