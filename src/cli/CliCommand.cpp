#include "cli/CliCommand.h"

#include <cstdio>
#include <vector>

#include "cli/IdentityCommands.h"
#include "cli/LogCommands.h"

namespace zerandi {

CliExit CliContext::Usage(const QString& problem) const {
    const QString text = QStringLiteral("zerandi-cli %1: %2\nUsage: zerandi-cli [options] %1 %3\n")
                             .arg(command.name, problem, command.synopsis);
    std::fputs(text.toLocal8Bit().constData(), stderr);
    return CliExit::Usage;
}

std::span<const CliCommand> CliCommands() {
    static const std::vector<CliCommand> kCommands = [] {
        std::vector<CliCommand> commands;
        AddIdentityCommands(commands);
        AddLogCommands(commands);
        return commands;
    }();
    return kCommands;
}

const CliCommand* FindCliCommand(const QString& name) {
    for (const CliCommand& command : CliCommands()) {
        if (command.name == name) {
            return &command;
        }
    }
    return nullptr;
}

}  // namespace zerandi
