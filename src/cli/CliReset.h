#pragma once

#include <QString>

#include "cli/CliExit.h"

namespace zerandi {

class CliContext;

// After a write that takes effect when the controller restarts: asks `question` and resets
// the controller on yes. Unanswered, the question counts as no and the user is told how to
// reset. The result gets "Reset"; RouterFailed when the reset was asked for and failed.
// `reset`, when given, says whether the controller was reset.
CliExit AskToResetController(CliContext& context, const QString& question, bool* reset = nullptr);

}  // namespace zerandi
