#pragma once

#include "Replies.h"
#include "RouterState.h"

namespace zsim {

// Flash download (0x40 enter, 0x41 record, 0x42 exit) and typed text lines (0x7E).
Frames AnswerEnterFlash(RouterState& state, const Request& request);
Frames AnswerFlashRecord(RouterState& state, const Request& request);
Frames AnswerExitFlash(RouterState& state, const Request& request);
Frames AnswerText(RouterState& state, const Request& request);

}  // namespace zsim
