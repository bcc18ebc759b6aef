#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "protocol/RouterDiagnosticCommPort.h"

namespace zerandi {

using TakePair = RouterDiagnosticCommPort::TakePair;  // input (source word), output
using TakeList = std::vector<TakePair>;

// One input to every output from `first` to `last`, in ascending output order.
TakeList RangeTakeList(int input, int first, int last);

// Input climbs with the output: input+k to output first+k. The inputs are not checked
// against the router's input count.
TakeList DiagonalTakeList(int input, int first, int last);

// Input falls as the output climbs: input-k to output first+k. Nothing when the input is
// too small to reach 1 at the last output.
std::optional<TakeList> ReverseDiagonalTakeList(int input, int first, int last);

// Why a reverse diagonal cannot start at `input` over `first`..`last`.
QString ReverseDiagonalRefusal(int input, int first, int last);

// The takes that would set up again what a read found: (word, output) per output read.
TakeList ReadBackTakeList(int first, const std::vector<int32_t>& words);

}  // namespace zerandi
