#pragma once

#include <QList>

#include "cli/CliCommand.h"

namespace zerandi {

// The options of zerandi-cli itself, given before the command, in the order the help lists
// them. -h stands for --help and -q for --quiet.
const QList<CliOption>& CliGlobalOptions();

}  // namespace zerandi
