#pragma once

#include <QStringList>

namespace zerandi {

// zerandi-cli from its arguments to its exit status: the global options, the link (or the
// built-in simulated router), one command, and its result on standard output.
int RunCliProgram(const QStringList& arguments);

}  // namespace zerandi
