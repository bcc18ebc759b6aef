#include "SimTestFrames.h"

#include <algorithm>

namespace zsim::test {
namespace {

uint8_t SumOf(const Bytes& frame, size_t end) {
    unsigned sum = 0;
    for (size_t i = 1; i < end; ++i) {
        sum += frame[i];
    }
    return static_cast<uint8_t>(sum);
}

}  // namespace

Bytes RequestFrame(uint8_t command, const Bytes& data) {
    Bytes frame{0xFF, 0xFC, 0xFC, 0xFD, 0xFD, static_cast<uint8_t>(data.size() + 1), command};
    frame.insert(frame.end(), data.begin(), data.end());
    frame.push_back(SumOf(frame, frame.size()));
    return frame;
}

std::vector<Bytes> SplitFrames(const Bytes& stream) {
    std::vector<Bytes> frames;
    size_t at = 0;
    while (at < stream.size()) {
        const size_t size = at + 5 < stream.size() ? stream[at + 5] + 7u : stream.size() - at;
        const size_t end = std::min(stream.size(), at + size);
        frames.emplace_back(stream.begin() + static_cast<std::ptrdiff_t>(at),
                            stream.begin() + static_cast<std::ptrdiff_t>(end));
        at = end;
    }
    return frames;
}

bool ChecksumOk(const Bytes& frame) {
    return frame.size() >= 7 && frame.size() == frame[5] + 7u &&
           SumOf(frame, frame.size() - 1) == frame.back();
}

uint16_t Word(const Bytes& frame, size_t offset) {
    return static_cast<uint16_t>(frame.at(offset) << 8 | frame.at(offset + 1));
}

Bytes Sent(const std::vector<WireAction>& actions) {
    Bytes bytes;
    for (const WireAction& action : actions) {
        if (action.kind == WireAction::Kind::Send) {
            bytes.insert(bytes.end(), action.bytes.begin(), action.bytes.end());
        }
    }
    return bytes;
}

}  // namespace zsim::test
