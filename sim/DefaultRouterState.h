#pragma once

#include "ModelCatalog.h"
#include "RouterState.h"

namespace zsim {

// A healthy router of the model, ready to answer every command.
RouterState MakeRouterState(const SimModel& model);

// Sizes the per-output, per-monitor and per-port vectors to the state's counts, keeping what
// they hold and giving new entries their defaults.
void FitToRouterSize(RouterState& state);

}  // namespace zsim
