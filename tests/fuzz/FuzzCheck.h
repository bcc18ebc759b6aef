#pragma once

#include <QByteArray>
#include <cstddef>
#include <cstdint>

// A broken invariant stops the fuzzer at once, with the input that broke it.
inline void Require(bool holds) {
    if (!holds) {
        __builtin_trap();
    }
}

inline QByteArray FuzzBytes(const uint8_t* data, size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}
