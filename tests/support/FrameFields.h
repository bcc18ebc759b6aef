#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zerandi::test {

using RequestFrame = std::vector<uint8_t>;

// Fields of a whole request frame as the router received it: start byte, address, length,
// command, data, checksum. A field the frame is too short for reads as 0 (empty data).
uint8_t CommandOf(const RequestFrame& frame);
std::vector<uint8_t> CommandsOf(const std::vector<RequestFrame>& frames);
// The data bytes after the command, without the checksum.
std::vector<uint8_t> DataOf(const RequestFrame& frame);
// The big-endian word at a byte offset of the frame.
uint16_t WordAt(const RequestFrame& frame, size_t offset);
// Whether the request changes the router: a take or a monitor, a reset, the router type, the
// write of a setting or a table, or a step of a flash write. Reads and status requests do not.
bool ChangesRouter(const RequestFrame& frame);

}  // namespace zerandi::test
