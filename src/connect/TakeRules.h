#pragma once

#include <cstdint>

namespace zerandi {

// What decides the source word of a single take besides the input typed.
struct SingleTakeTerms {
    bool triState = false;            // the "Tri-State" box
    bool dataRouter = false;          // the model carries flag bits in its source words
    bool extendedCard = false;        // the control card knows forward takes
    bool distributedControl = false;  // "Distributed Control Take" ticked
    bool forwardTake = false;         // "Forward Take" ticked
};

// Between a take and the read of what it switched: lets the router settle.
inline constexpr int kReadAfterTakeDelayMs = 1000;

inline constexpr uint16_t kLocalControlBit =
    0x4000;                                          // bit 14: a take not under distributed control
inline constexpr uint16_t kForwardTakeBit = 0x8000;  // bit 15: a forward take

// The 16-bit word a single take sends as its input: the input or the tri-state source, with
// the data router's flag bits as the Settings menu asks.
uint16_t SingleTakeSource(int input, const SingleTakeTerms& terms);

// The number a field steps to after a take: one up while below `count` when `increment`,
// otherwise one down while above 1 when `decrement`; unchanged otherwise.
int SteppedNumber(int value, int count, bool increment, bool decrement);

}  // namespace zerandi
