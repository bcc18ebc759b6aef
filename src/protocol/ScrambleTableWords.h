#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace zerandi {

// The router's scramble tables as one array of words: bank 1 A entries at 0-255,
// bank 1 B entries at 256-511, bank 2 A entries at 512-767, bank 2 B entries at 768-1023.
inline constexpr size_t kScrambleBankEntries = 256;
inline constexpr size_t kScrambleBankCount = 2;
inline constexpr size_t kScrambleTableCount = 2 * kScrambleBankCount;  // an A and a B per bank
using ScrambleTableWords = std::array<uint16_t, kScrambleTableCount * kScrambleBankEntries>;

// The bank numbers the router uses on the wire.
inline constexpr uint8_t kScrambleBankOne = 1;
inline constexpr uint8_t kScrambleBankTwo = 2;

// Where a bank's A and B tables start in the words; any bank but 1 is bank 2.
struct ScrambleBankBases {
    size_t a;
    size_t b;
};
constexpr ScrambleBankBases ScrambleBankBasesFor(uint8_t bank) {
    const size_t a = bank == kScrambleBankOne ? 0 : 2 * kScrambleBankEntries;
    return {a, a + kScrambleBankEntries};
}

}  // namespace zerandi
