#pragma once

#include <vector>

namespace zerandi {

struct CliCommand;

// restore: a backup file written back to the router, part by part, and read back to prove it.
void AddRestoreCommand(std::vector<CliCommand>& commands);

}  // namespace zerandi
