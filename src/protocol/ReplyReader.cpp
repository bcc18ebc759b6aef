#include "protocol/ReplyReader.h"

#include <algorithm>

namespace zerandi {

ReplyReader::ReplyReader(const RouterMessage& reply)
    : reply_(reply),
      end_(std::min<size_t>(RouterMessage::kCommandOffset + reply.Length(),
                            RouterMessage::kCapacity - 1)) {}

bool ReplyReader::Has(size_t offset, size_t count) const {
    return offset <= end_ && count <= end_ - offset;
}

uint8_t ReplyReader::Byte(size_t offset) {
    if (!Has(offset, 1)) {
        ok_ = false;
        return 0;
    }
    return reply_.Byte(offset);
}

uint16_t ReplyReader::Word(size_t offset) {
    if (!Has(offset, 2)) {
        ok_ = false;
        return 0;
    }
    return static_cast<uint16_t>((reply_.Byte(offset) << 8) | reply_.Byte(offset + 1));
}

bool ReplyReader::Bit(size_t offset, unsigned bit) {
    return ((Byte(offset) >> bit) & 1U) != 0;
}

}  // namespace zerandi
