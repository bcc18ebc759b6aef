#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace zsim {

using Address = std::array<uint8_t, 4>;

inline constexpr uint8_t kStartByte = 0xFF;
inline constexpr Address kRequestAddress{0xFC, 0xFC, 0xFD, 0xFD};
inline constexpr size_t kLengthOffset = 5;
inline constexpr size_t kCommandOffset = 6;
inline constexpr size_t kDataOffset = 7;
inline constexpr size_t kFrameOverhead = 7;  // start, address, length, checksum
// The client's buffers hold 248 bytes, so no reply may be longer.
inline constexpr size_t kMaxFrameBytes = 248;
inline constexpr size_t kMaxDataBytes = kMaxFrameBytes - kFrameOverhead - 1;

// One request as the card received it.
struct Request {
    Address address{};
    uint8_t command = 0;
    std::vector<uint8_t> data;
    std::vector<uint8_t> frame;  // every byte, start to checksum
    int SubCommand() const { return data.empty() ? -1 : data[0]; }
};

// Sum modulo 256 of the address, length, command and data bytes of a whole frame.
uint8_t FrameChecksum(std::span<const uint8_t> frame);
// FF, address, length, command, data, checksum.
std::vector<uint8_t> BuildFrame(const Address& address, uint8_t command,
                                std::span<const uint8_t> data);

// Appends big-endian words to a data buffer, and reads them back.
void PutWord(std::vector<uint8_t>& data, uint16_t value);
uint16_t WordAt(std::span<const uint8_t> bytes, size_t offset);

}  // namespace zsim
