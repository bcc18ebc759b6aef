#pragma once

#include <vector>

namespace zerandi {

struct CliCommand;

// decode-log: a communication log with every frame named.
void AddLogCommands(std::vector<CliCommand>& commands);

}  // namespace zerandi
