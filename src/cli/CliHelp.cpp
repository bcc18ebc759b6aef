#include "cli/CliHelp.h"

#include <algorithm>

#include "cli/CliCommand.h"

namespace zerandi {

namespace {

constexpr qsizetype kOptionIndent = 2;
constexpr qsizetype kOptionGap = 2;

QString OptionCall(const CliOption& option) {
    const QString shortName = option.name == QLatin1String("help")    ? QStringLiteral("-h, ")
                              : option.name == QLatin1String("quiet") ? QStringLiteral("-q, ")
                                                                      : QString();
    const QString value =
        option.valueName.isEmpty() ? QString() : QLatin1Char(' ') + option.valueName;
    return shortName + QStringLiteral("--") + option.name + value;
}

QString OptionLines(const QList<CliOption>& options) {
    qsizetype width = 0;
    for (const CliOption& option : options) {
        width = std::max(width, OptionCall(option).size());
    }
    QString text;
    for (const CliOption& option : options) {
        text += QString(kOptionIndent, QLatin1Char(' ')) +
                OptionCall(option).leftJustified(width + kOptionGap) + option.help +
                QLatin1Char('\n');
    }
    return text;
}

const CliOption kHelpOption{QStringLiteral("help"), QString(), QStringLiteral("Show this help.")};

}  // namespace

QString ProgramHelp(const QList<CliOption>& globalOptions) {
    QString text = QStringLiteral(
        "Usage: zerandi-cli [OPTIONS] COMMAND [ARGUMENTS] [COMMAND OPTIONS]\n\n"
        "Reads, switches and configures a router over its diagnostic port.\n\n"
        "Options (before the command):\n");
    text += OptionLines(globalOptions);
    text += QStringLiteral("\nCommands:\n");
    for (const CliCommand& command : CliCommands()) {
        const QString call = (command.name + QLatin1Char(' ') + command.arguments).trimmed();
        text += QStringLiteral("  %1\n      %2\n").arg(call, command.summary);
    }
    return text + QStringLiteral(
                      "\nExit status: 0 done; 1 the router refused or a transaction failed; "
                      "2 usage error or\nbad input file (nothing sent); 3 the port could not be "
                      "opened; 4 a verify or compare\nfound a difference; 5 status --check found "
                      "a problem; 130 interrupted.\n\n"
                      "'zerandi-cli help COMMAND' or 'zerandi-cli COMMAND --help' tells more of "
                      "one command.\n");
}

QString CommandHelp(const CliCommand& command) {
    QList<CliOption> options = command.options;
    options << kHelpOption;
    return QStringLiteral("Usage: %1\n\n%2.\n\nOptions:\n%3")
        .arg(command.Synopsis(), command.summary.left(1).toUpper() + command.summary.mid(1),
             OptionLines(options));
}

QString GroupHelp(const QString& group) {
    QStringList helps;
    for (const QString& subCommand : SubCommandsOf(group)) {
        qsizetype used = 0;
        helps << CommandHelp(*FindCliCommand({group, subCommand}, used));
    }
    return helps.join(QLatin1Char('\n'));
}

}  // namespace zerandi
