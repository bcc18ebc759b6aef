#pragma once

#include <vector>

namespace zerandi {

struct CliCommand;

// port-types and scramble: the router's tables and their files, with the same file formats
// as the port types and scramble map views.
void AddTableCommands(std::vector<CliCommand>& commands);

}  // namespace zerandi
