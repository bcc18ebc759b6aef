#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace zerandi::command {

// The name of a command byte, e.g. "Take" or "Get Product Id"; none for any other byte.
std::optional<QString> NameOf(uint8_t commandByte);

}  // namespace zerandi::command
