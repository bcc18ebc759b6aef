#include "FrameParser.h"

#include <algorithm>

namespace zsim {

void FrameParser::Push(std::span<const uint8_t> bytes) {
    pending_.insert(pending_.end(), bytes.begin(), bytes.end());
}

// Drops bytes that cannot begin a request; true when what is left may be the start of one.
bool FrameParser::DropNoise() {
    for (;;) {
        const auto start = std::find(pending_.begin(), pending_.end(), kStartByte);
        pending_.erase(pending_.begin(), start);
        if (pending_.empty()) {
            return false;
        }
        const size_t addressBytes = std::min(pending_.size() - 1, kRequestAddress.size());
        const bool addressOk = std::equal(pending_.begin() + 1, pending_.begin() + 1 + addressBytes,
                                          kRequestAddress.begin());
        const bool lengthOk = pending_.size() <= kLengthOffset || pending_[kLengthOffset] != 0;
        if (addressOk && lengthOk) {
            return true;
        }
        pending_.erase(pending_.begin());
    }
}

std::optional<FrameParser::Parsed> FrameParser::Next() {
    if (!DropNoise() || pending_.size() <= kLengthOffset) {
        return std::nullopt;
    }
    const size_t total = pending_[kLengthOffset] + kFrameOverhead;
    if (pending_.size() < total) {
        return std::nullopt;
    }
    Parsed parsed;
    Request& request = parsed.request;
    request.frame.assign(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(total));
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(total));
    std::copy_n(request.frame.begin() + 1, request.address.size(), request.address.begin());
    request.command = request.frame[kCommandOffset];
    request.data.assign(request.frame.begin() + kDataOffset, request.frame.end() - 1);
    parsed.checksumOk = FrameChecksum(request.frame) == request.frame.back();
    return parsed;
}

}  // namespace zsim
