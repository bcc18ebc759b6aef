#include "cli/CliCommand.h"

#include <vector>

#include "cli/BackupCommands.h"
#include "cli/FlashCommand.h"
#include "cli/IdentityCommands.h"
#include "cli/LogCommands.h"
#include "cli/RestoreCommand.h"
#include "cli/StatusCommands.h"
#include "cli/SwitchingCommands.h"
#include "cli/TableCommands.h"

namespace zerandi {

QString CliCommand::Synopsis() const {
    QStringList words{QStringLiteral("zerandi-cli"), name};
    if (!arguments.isEmpty()) {
        words << arguments;
    }
    for (const CliOption& option : options) {
        const QString value =
            option.valueName.isEmpty() ? QString() : QLatin1Char(' ') + option.valueName;
        words << QStringLiteral("[--%1%2]").arg(option.name, value);
    }
    return words.join(QLatin1Char(' '));
}

const CliOption* CliCommand::FindOption(const QString& option) const {
    for (const CliOption& candidate : options) {
        if (candidate.name == option) {
            return &candidate;
        }
    }
    return nullptr;
}

std::span<const CliCommand> CliCommands() {
    static const std::vector<CliCommand> kCommands = [] {
        std::vector<CliCommand> commands;
        AddIdentityCommands(commands);
        AddSwitchingCommands(commands);
        AddTableCommands(commands);
        AddBackupCommands(commands);
        AddRestoreCommand(commands);
        AddStatusCommands(commands);
        AddFlashCommand(commands);
        AddLogCommands(commands);
        return commands;
    }();
    return kCommands;
}

namespace {

const CliCommand* Named(const QString& name) {
    for (const CliCommand& command : CliCommands()) {
        if (command.name == name) {
            return &command;
        }
    }
    return nullptr;
}

}  // namespace

const CliCommand* FindCliCommand(const QStringList& words, qsizetype& used) {
    if (words.size() >= 2) {
        if (const CliCommand* command = Named(words[0] + QLatin1Char(' ') + words[1])) {
            used = 2;
            return command;
        }
    }
    used = 1;
    return words.isEmpty() ? nullptr : Named(words[0]);
}

QStringList SubCommandsOf(const QString& group) {
    QStringList subCommands;
    const QString prefix = group + QLatin1Char(' ');
    for (const CliCommand& command : CliCommands()) {
        if (command.name.startsWith(prefix)) {
            subCommands << command.name.mid(prefix.size());
        }
    }
    return subCommands;
}

}  // namespace zerandi
