#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "protocol/RouterMessage.h"

namespace zerandi::test {

// A reply as the router would send it: start byte, address, length, command, data, checksum.
inline RouterMessage ReplyFrame(uint8_t command, const std::vector<uint8_t>& data) {
    RouterMessage reply(RouterAddress{}, command);
    reply.Append(data);
    reply.SetChecksum();
    return reply;
}

// Bytes of a frame as a vector, for comparisons.
inline std::vector<uint8_t> FrameBytes(const RouterMessage& message) {
    const auto frame = message.Frame();
    return {frame.begin(), frame.end()};
}

// Puts `value` at every byte of the buffer beyond the frame, so that a decoder reading past
// the frame's end would pick it up.
inline void PoisonBeyondFrame(RouterMessage& message, uint8_t value) {
    auto buffer = message.Buffer();
    for (size_t i = message.FrameSize(); i < buffer.size(); ++i) {
        buffer[i] = value;
    }
}

inline void PutWord(std::vector<uint8_t>& data, uint16_t word) {
    data.push_back(static_cast<uint8_t>(word >> 8));
    data.push_back(static_cast<uint8_t>(word));
}

}  // namespace zerandi::test
