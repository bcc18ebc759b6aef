#pragma once

#include <cstddef>
#include <cstdint>

#include "protocol/RouterMessage.h"

namespace zerandi {

// Reads the fields of a received reply by frame offset, never beyond the bytes the
// reply's length byte covers (the checksum and anything after it are out of reach).
// A read outside yields 0 and marks the reader failed, so a decoder can read all its
// fields and then check Ok() once before it writes any output.
class ReplyReader {
public:
    explicit ReplyReader(const RouterMessage& reply);

    size_t End() const { return end_; }  // one past the last data byte
    bool Has(size_t offset, size_t count) const;
    uint8_t Byte(size_t offset);
    uint16_t Word(size_t offset);  // high byte first
    bool Bit(size_t offset, unsigned bit);
    bool Ok() const { return ok_; }

private:
    const RouterMessage& reply_;
    size_t end_;
    bool ok_ = true;
};

}  // namespace zerandi
