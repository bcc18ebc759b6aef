#pragma once

#include "Replies.h"
#include "RouterState.h"

namespace zsim {

// Identity, versions, card address, router type, controller state, reset and health.
Frames AnswerProductId(RouterState& state, const Request& request);
Frames AnswerControlCardInfo(RouterState& state, const Request& request);
Frames AnswerSoftwareVersions(RouterState& state, const Request& request);
Frames AnswerBriefVersions(RouterState& state, const Request& request);
Frames AnswerCardAddress(RouterState& state, const Request& request);
Frames AnswerRouterType(RouterState& state, const Request& request);
Frames AnswerControllerState(RouterState& state, const Request& request);
Frames AnswerReset(RouterState& state, const Request& request);
Frames AnswerHealth(RouterState& state, const Request& request);

}  // namespace zsim
