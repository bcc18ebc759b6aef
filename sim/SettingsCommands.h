#pragma once

#include "Replies.h"
#include "RouterState.h"

namespace zsim {

// Serial and Ethernet parameters (0x45) and expansion parameters (0x4F).
Frames AnswerCommParameters(RouterState& state, const Request& request);
Frames AnswerExpansion(RouterState& state, const Request& request);

}  // namespace zsim
