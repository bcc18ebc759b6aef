#pragma once

#include "Replies.h"
#include "RouterState.h"

namespace zsim {

// The card's answer to one well-formed request; changes the state as the command says.
// Unknown commands are refused with code 4.
Frames AnswerRequest(RouterState& state, const Request& request);

}  // namespace zsim
