// The simulator's side of the wire: requests cut out of any byte stream are whole frames
// found in the stream, in order, and the same however the stream is split into reads.
#include <algorithm>
#include <cstdlib>
#include <span>
#include <vector>

#include "sim/FrameParser.h"

using zsim::FrameParser;

namespace {

void Require(bool holds) {
    if (!holds) {
        __builtin_trap();
    }
}

// Pushes the stream in pieces of `piece` bytes and takes every request it completes.
std::vector<std::vector<uint8_t>> ParseInPieces(std::span<const uint8_t> stream, size_t piece) {
    FrameParser parser;
    std::vector<std::vector<uint8_t>> frames;
    for (size_t at = 0; at < stream.size(); at += piece) {
        parser.Push(stream.subspan(at, std::min(piece, stream.size() - at)));
        while (const auto parsed = parser.Next()) {
            const zsim::Request& request = parsed->request;
            Require(request.frame.size() >= zsim::kLengthOffset + 2);
            Require(request.frame.front() == zsim::kStartByte);
            Require(request.frame.size() == request.frame[zsim::kLengthOffset] + 7u);
            Require(request.data.size() + 8 == request.frame.size());
            Require(std::equal(request.address.begin(), request.address.end(),
                               zsim::kRequestAddress.begin()));
            frames.push_back(request.frame);
        }
    }
    return frames;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const size_t piece = data[0] % 16 + 1;
    const std::span<const uint8_t> stream(data + 1, size - 1);
    const auto frames = ParseInPieces(stream, stream.size() + 1);
    Require(ParseInPieces(stream, piece) == frames);

    // Each frame lies in the stream after the one before it.
    auto from = stream.begin();
    for (const auto& frame : frames) {
        from = std::search(from, stream.end(), frame.begin(), frame.end());
        Require(from != stream.end());
        from += static_cast<std::ptrdiff_t>(frame.size());
    }
    return 0;
}
