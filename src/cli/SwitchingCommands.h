#pragma once

#include <vector>

namespace zerandi {

struct CliCommand;

// take, read-outputs, salvo, monitors and monitor: crosspoints over the facade, with the
// same take rules, lists and salvo files as the connections and monitors views.
void AddSwitchingCommands(std::vector<CliCommand>& commands);

}  // namespace zerandi
