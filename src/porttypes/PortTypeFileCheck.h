#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <optional>

namespace zerandi {

// Whether the bytes of a ".prt" file are a port-type table that can be sent to a router. The
// program writes 256 bytes, each a known type code, so a longer file or one holding a byte
// that is no type code is something else; an empty file holds no table.
class PortTypeFileCheck {
public:
    // What makes the bytes something other than a port-type table; nothing when they are one.
    static std::optional<QString> Problem(const QByteArray& bytes);
    // The ports whose types the file holds.
    static size_t PortsHeld(const QByteArray& bytes);
};

}  // namespace zerandi
