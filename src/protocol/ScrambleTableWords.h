#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace zerandi {

// The router's scramble tables as one array of words: bank 1 A entries at 0-255,
// bank 1 B entries at 256-511, bank 2 A entries at 512-767, bank 2 B entries at 768-1023.
inline constexpr size_t kScrambleBankEntries = 256;
inline constexpr size_t kScrambleTableCount = 4;
using ScrambleTableWords = std::array<uint16_t, kScrambleTableCount * kScrambleBankEntries>;

}  // namespace zerandi
