#pragma once

#include "Replies.h"
#include "RouterState.h"

namespace zsim {

// Takes and monitor settings (0x49), crosspoint and monitor reads (0x4A).
Frames AnswerTake(RouterState& state, const Request& request);
Frames AnswerCrosspointStatus(RouterState& state, const Request& request);

}  // namespace zsim
