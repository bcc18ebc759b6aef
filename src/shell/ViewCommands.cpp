#include "shell/ViewCommands.h"

#include <utility>

namespace zerandi {

void ViewCommands::AddMenuItems(ViewMenuSet& /*menus*/) {}

bool ViewCommands::HandlesCommand(StandardCommand /*command*/) const {
    return false;
}

void ViewCommands::RunCommand(StandardCommand /*command*/) {}

void ViewCommands::SetCommandsChangedHandler(std::function<void()> handler) {
    commandsChanged_ = std::move(handler);
}

void ViewCommands::NotifyCommandsChanged() {
    if (commandsChanged_) {
        commandsChanged_();
    }
}

}  // namespace zerandi
