#include "connect/TakeRules.h"

#include "protocol/RouterLevel.h"

namespace zerandi {

uint16_t SingleTakeSource(int input, const SingleTakeTerms& terms) {
    uint16_t source =
        terms.triState ? static_cast<uint16_t>(TriStateSource) : static_cast<uint16_t>(input);
    if (!terms.dataRouter) {
        return source;
    }
    if (!terms.distributedControl) {
        source |= kLocalControlBit;
    }
    if (terms.extendedCard && terms.forwardTake) {
        source |= kForwardTakeBit;
    }
    return source;
}

int SteppedNumber(int value, int count, bool increment, bool decrement) {
    if (increment && value < count) {
        return value + 1;
    }
    if (decrement && value > 1) {
        return value - 1;
    }
    return value;
}

}  // namespace zerandi
