#pragma once

#include "Replies.h"
#include "RouterState.h"

namespace zsim {

// Scramble tables (0x46), partition parameters (0x47) and data-router port types (0x48).
Frames AnswerScrambleTable(RouterState& state, const Request& request);
Frames AnswerPartition(RouterState& state, const Request& request);
Frames AnswerDataRouterParameters(RouterState& state, const Request& request);

}  // namespace zsim
