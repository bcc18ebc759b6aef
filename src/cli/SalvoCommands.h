#pragma once

#include "cli/CliExit.h"

namespace zerandi {

class CliContext;

// salvo run: checks the whole salvo file against the router before its first take, makes
// the takes one by one (Ctrl-C stops between two) and with --verify reads them back.
CliExit SalvoRun(CliContext& context);
// salvo capture: the routing of a range of outputs as a salvo file.
CliExit SalvoCapture(CliContext& context);

}  // namespace zerandi
