#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "WireFrame.h"

namespace zsim {

// Cuts requests out of the byte stream from the client. Anything before a start byte is
// dropped, and a start byte not followed by the request address is taken for noise, so the
// parser finds the next real request after garbage.
class FrameParser {
public:
    struct Parsed {
        Request request;
        bool checksumOk = false;
    };

    void Push(std::span<const uint8_t> bytes);
    // The next complete frame, or nothing while the frame is incomplete.
    std::optional<Parsed> Next();
    bool HasPartial() const { return !pending_.empty(); }
    void DiscardPartial() { pending_.clear(); }

private:
    bool DropNoise();

    std::vector<uint8_t> pending_;
};

}  // namespace zsim
