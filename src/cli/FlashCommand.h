#pragma once

#include <vector>

namespace zerandi {

struct CliCommand;

// flash: the same checked firmware download as the flash memory view.
void AddFlashCommand(std::vector<CliCommand>& commands);

}  // namespace zerandi
