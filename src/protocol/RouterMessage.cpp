#include "protocol/RouterMessage.h"

#include <algorithm>

#include "protocol/RouterCommands.h"

namespace zerandi {

RouterMessage::RouterMessage(const RouterAddress& address, uint8_t command) {
    bytes_[0] = kStartByte;
    std::copy(address.bytes.begin(), address.bytes.end(), bytes_.begin() + kAddressOffset);
    bytes_[kLengthOffset] = 1;
    bytes_[kCommandOffset] = command;
}

RouterMessage RouterMessage::FromBytes(std::span<const uint8_t> bytes) {
    RouterMessage message;
    const size_t count = std::min(bytes.size(), kCapacity);
    std::copy_n(bytes.begin(), count, message.bytes_.begin());
    return message;
}

bool RouterMessage::Append(uint8_t byte) {
    const uint8_t byteArray[] = {byte};
    return Append(byteArray);
}

bool RouterMessage::AppendWord(uint16_t word) {
    const uint8_t wordBytes[] = {static_cast<uint8_t>(word >> 8), static_cast<uint8_t>(word)};
    return Append(wordBytes);
}

bool RouterMessage::Append(std::span<const uint8_t> bytes) {
    const size_t length = Length();
    if (length > kMaxLength || bytes.size() > kMaxLength - length) {
        return false;
    }
    std::copy(bytes.begin(), bytes.end(), bytes_.begin() + kCommandOffset + length);
    bytes_[kLengthOffset] = static_cast<uint8_t>(length + bytes.size());
    return true;
}

uint8_t RouterMessage::ComputeChecksum() const {
    const size_t end = std::min<size_t>(kCommandOffset + Length(), kCapacity);
    unsigned sum = 0;
    for (size_t i = kAddressOffset; i < end; ++i) {
        sum += bytes_[i];
    }
    return static_cast<uint8_t>(sum);
}

void RouterMessage::SetChecksum() {
    if (Length() <= kMaxLength) {
        bytes_[kCommandOffset + Length()] = ComputeChecksum();
    }
}

bool RouterMessage::ChecksumOk() const {
    return Length() <= kMaxLength && bytes_[kCommandOffset + Length()] == ComputeChecksum();
}

bool RouterMessage::IsRefusal() const {
    const uint8_t cmd = Command();
    return cmd == command::kRefusal || cmd == command::kSequenceError ||
           cmd == command::kAsciiError;
}

uint8_t RouterMessage::Byte(size_t offset) const {
    return offset < kCapacity ? bytes_[offset] : 0;
}

size_t RouterMessage::FrameSize() const {
    return std::min<size_t>(Length() + kFrameOverhead, kCapacity);
}

std::span<const uint8_t> RouterMessage::Frame() const {
    return std::span<const uint8_t>(bytes_).first(FrameSize());
}

}  // namespace zerandi
