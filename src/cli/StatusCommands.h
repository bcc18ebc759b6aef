#pragma once

#include <vector>

namespace zerandi {

struct CliCommand;

// status, controller, messages and send: the router's health and its controller's own
// text, with the same decoding as the system status and status messages views.
void AddStatusCommands(std::vector<CliCommand>& commands);

}  // namespace zerandi
