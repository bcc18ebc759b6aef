#include "cli/CliCommand.h"

#include <cstdio>
#include <vector>

#include "cli/CliResult.h"
#include "cli/FlashCommand.h"
#include "cli/IdentityCommands.h"
#include "cli/LogCommands.h"
#include "cli/StatusCommands.h"
#include "cli/SwitchingCommands.h"
#include "cli/TableCommands.h"

namespace zerandi {

CliExit CliContext::Usage(const QString& problem) const {
    const QString text = QStringLiteral("zerandi-cli %1: %2\nUsage: zerandi-cli [options] %1 %3\n")
                             .arg(command.name, problem, command.synopsis);
    std::fputs(text.toLocal8Bit().constData(), stderr);
    return CliExit::Usage;
}

void CliContext::EmitResult() {
    const QByteArray bytes = json ? result.Json() : result.Text();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    std::fflush(stdout);
    result = CliResult();
}

std::optional<CliExit> ParseCommandArguments(CliContext& context, QCommandLineParser& parser,
                                             const QList<QCommandLineOption>& options,
                                             qsizetype minArgs, qsizetype maxArgs) {
    parser.addOptions(options);
    const QCommandLineOption help(QStringLiteral("help"), QStringLiteral("Show this help."));
    parser.addOption(help);
    parser.setApplicationDescription(context.command.summary);
    parser.addPositionalArgument(QStringLiteral("ARGUMENTS"), QString(), context.command.synopsis);
    if (!parser.parse(QStringList{QStringLiteral("zerandi-cli ") + context.command.name} +
                      context.arguments)) {
        return context.Usage(parser.errorText());
    }
    if (parser.isSet(help)) {
        std::fputs(parser.helpText().toLocal8Bit().constData(), stdout);
        return CliExit::Ok;
    }
    const qsizetype count = parser.positionalArguments().size();
    if (count < minArgs || count > maxArgs) {
        return context.Usage(QStringLiteral("wrong number of arguments."));
    }
    return std::nullopt;
}

std::optional<int> ParseNumberArgument(const QString& text, int min, int max) {
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok && value >= min && value <= max ? std::optional<int>(value) : std::nullopt;
}

std::span<const CliCommand> CliCommands() {
    static const std::vector<CliCommand> kCommands = [] {
        std::vector<CliCommand> commands;
        AddIdentityCommands(commands);
        AddSwitchingCommands(commands);
        AddTableCommands(commands);
        AddStatusCommands(commands);
        AddFlashCommand(commands);
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
