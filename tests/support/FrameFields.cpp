#include "support/FrameFields.h"

namespace zerandi::test {

namespace {

constexpr size_t kCommandOffset = 6;
constexpr size_t kDataOffset = 7;

}  // namespace

uint8_t CommandOf(const RequestFrame& frame) {
    return frame.size() > kCommandOffset ? frame[kCommandOffset] : 0;
}

std::vector<uint8_t> CommandsOf(const std::vector<RequestFrame>& frames) {
    std::vector<uint8_t> commands;
    for (const auto& frame : frames) {
        commands.push_back(CommandOf(frame));
    }
    return commands;
}

std::vector<uint8_t> DataOf(const RequestFrame& frame) {
    if (frame.size() <= kDataOffset) {
        return {};
    }
    return {frame.begin() + kDataOffset, frame.end() - 1};
}

uint16_t WordAt(const RequestFrame& frame, size_t offset) {
    if (frame.size() < offset + 2) {
        return 0;
    }
    return static_cast<uint16_t>(frame[offset] << 8 | frame[offset + 1]);
}

}  // namespace zerandi::test
