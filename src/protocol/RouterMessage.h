#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "protocol/RouterAddress.h"

namespace zerandi {

// One protocol frame: start byte, four address bytes, length, command, data, checksum.
// The length byte counts the command and the data; the whole frame is length + 7 bytes.
class RouterMessage {
public:
    static constexpr size_t kCapacity = 248;
    static constexpr uint8_t kStartByte = 0xFF;
    static constexpr size_t kAddressOffset = 1;
    static constexpr size_t kLengthOffset = 5;
    static constexpr size_t kCommandOffset = 6;
    static constexpr size_t kDataOffset = 7;
    static constexpr size_t kFrameOverhead = 7;  // start, address, length and checksum
    static constexpr uint8_t kMaxLength = kCapacity - kFrameOverhead;

    RouterMessage() = default;
    // A request with no data yet: start byte, address, length 1 and the command.
    RouterMessage(const RouterAddress& address, uint8_t command);
    // A copy of received or crafted bytes, cut at the capacity.
    static RouterMessage FromBytes(std::span<const uint8_t> bytes);

    // Appending never writes past the frame: a byte that does not fit leaves the
    // message unchanged and returns false.
    bool Append(uint8_t byte);
    bool AppendWord(uint16_t word);  // high byte first
    bool Append(std::span<const uint8_t> bytes);

    uint8_t ComputeChecksum() const;
    void SetChecksum();
    bool ChecksumOk() const;
    // Command 0x80 (error code), 0x81 (sequence error) or 0x8F (text error).
    bool IsRefusal() const;

    uint8_t Length() const { return bytes_[kLengthOffset]; }
    uint8_t Command() const { return bytes_[kCommandOffset]; }
    uint8_t Byte(size_t offset) const;  // 0 beyond the buffer
    size_t FrameSize() const;           // length + 7, at most the capacity
    std::span<const uint8_t> Frame() const;
    std::span<uint8_t> Buffer() { return bytes_; }
    std::span<const uint8_t> Buffer() const { return bytes_; }

    bool operator==(const RouterMessage&) const = default;

private:
    std::array<uint8_t, kCapacity> bytes_{};
};

}  // namespace zerandi
