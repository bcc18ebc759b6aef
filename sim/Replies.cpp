#include "Replies.h"

#include <algorithm>

namespace zsim {
namespace {

constexpr size_t kTextBufferBytes = 200;
constexpr size_t kTextChunkBytes = kTextBufferBytes - kFrameOverhead - 1;

}  // namespace

std::vector<uint8_t> ReplyFrame(const Request& request, uint8_t command,
                                std::span<const uint8_t> data) {
    return BuildFrame(request.address, command, data);
}

Frames DataReply(const Request& request, std::span<const uint8_t> data) {
    return {ReplyFrame(request, static_cast<uint8_t>(request.command | kReplyBit), data)};
}

Frames Ack(const Request& request) {
    return {ReplyFrame(request, kAckCommand, {})};
}

Frames Refusal(const Request& request, uint8_t code) {
    const uint8_t data[] = {code};
    return {ReplyFrame(request, kRefusalCommand, data)};
}

std::vector<uint8_t> TextFrames(const Address& address, const std::string& text) {
    std::vector<uint8_t> bytes;
    size_t at = 0;
    do {
        const size_t count = std::min(kTextChunkBytes, text.size() - at);
        const std::vector<uint8_t> chunk(text.begin() + static_cast<std::ptrdiff_t>(at),
                                         text.begin() + static_cast<std::ptrdiff_t>(at + count));
        const std::vector<uint8_t> frame = BuildFrame(address, kTextCommand, chunk);
        bytes.insert(bytes.end(), frame.begin(), frame.end());
        at += count;
    } while (at < text.size());
    return bytes;
}

}  // namespace zsim
