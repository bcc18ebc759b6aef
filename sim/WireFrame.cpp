#include "WireFrame.h"

#include <algorithm>

namespace zsim {

uint8_t FrameChecksum(std::span<const uint8_t> frame) {
    if (frame.size() <= kLengthOffset) {
        return 0;
    }
    const size_t end = std::min(frame.size(), kLengthOffset + 1 + frame[kLengthOffset]);
    unsigned sum = 0;
    for (size_t i = 1; i < end; ++i) {
        sum += frame[i];
    }
    return static_cast<uint8_t>(sum);
}

std::vector<uint8_t> BuildFrame(const Address& address, uint8_t command,
                                std::span<const uint8_t> data) {
    std::vector<uint8_t> frame;
    frame.reserve(kLengthOffset + 2 + data.size() + 1);
    frame.push_back(kStartByte);
    frame.insert(frame.end(), address.begin(), address.end());
    frame.push_back(static_cast<uint8_t>(data.size() + 1));
    frame.push_back(command);
    frame.insert(frame.end(), data.begin(), data.end());
    frame.push_back(FrameChecksum(frame));
    return frame;
}

void PutWord(std::vector<uint8_t>& data, uint16_t value) {
    data.push_back(static_cast<uint8_t>(value >> 8));
    data.push_back(static_cast<uint8_t>(value & 0xFF));
}

uint16_t WordAt(std::span<const uint8_t> bytes, size_t offset) {
    if (offset + 1 >= bytes.size()) {
        return 0;
    }
    return static_cast<uint16_t>(bytes[offset] << 8 | bytes[offset + 1]);
}

}  // namespace zsim
