#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "sim/WireAction.h"

// The client's side of the wire, written apart from the simulator's own frame code so that
// the tests check the bytes rather than the simulator against itself.
namespace zsim::test {

using Bytes = std::vector<uint8_t>;

// How long a test waits for the simulator's reply.
inline constexpr int kReplyTimeoutMs = 2000;
// A whole "get product id" request.
inline const Bytes kProductIdRequest{0xFF, 0xFC, 0xFC, 0xFD, 0xFD, 0x01, 0x10, 0x03};

// FF FC FC FD FD, length, command, data, checksum.
Bytes RequestFrame(uint8_t command, const Bytes& data = {});
// Cuts a byte stream into frames by their length bytes; a trailing fragment is kept as is.
std::vector<Bytes> SplitFrames(const Bytes& stream);
bool ChecksumOk(const Bytes& frame);
uint16_t Word(const Bytes& frame, size_t offset);
Bytes Sent(const std::vector<WireAction>& actions);

}  // namespace zsim::test
