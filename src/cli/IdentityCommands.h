#pragma once

#include <vector>

namespace zerandi {

struct CliCommand;

// list-ports, info and config: the serial devices, and what "Read All" reads.
void AddIdentityCommands(std::vector<CliCommand>& commands);

}  // namespace zerandi
