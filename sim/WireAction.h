#pragma once

#include <cstdint>
#include <vector>

namespace zsim {

// What the card does on the wire in answer to a request: send bytes, wait, or vanish.
struct WireAction {
    enum class Kind { Send, Pause, Close };
    Kind kind = Kind::Send;
    std::vector<uint8_t> bytes;  // Send
    int pauseMs = 0;             // Pause
};

}  // namespace zsim
