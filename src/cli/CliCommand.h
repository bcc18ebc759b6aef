#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <span>

namespace zerandi {

class CliResult;
class RouterConfigDoc;
class UiServices;
struct CliCommand;

// The exit statuses of zerandi-cli.
enum class CliExit : int {
    Ok = 0,
    RouterFailed = 1,  // the router refused, or a transaction failed
    Usage = 2,
    PortNotOpened = 3,
};

// What a command runs with: the document over the open link (nothing for a command that
// needs no router), the services that report, its own arguments and the result it fills.
struct CliContext {
    const CliCommand& command;
    RouterConfigDoc* doc;
    UiServices& ui;
    QStringList arguments;  // after the command's name
    CliResult& result;
    bool json;

    // Writes what the result holds so far on standard output and empties it: for commands
    // that go on reporting (a watch, the controller's messages).
    void EmitResult();

    // Says what is wrong with the command's arguments, and how it is used, on standard
    // error; returns CliExit::Usage.
    CliExit Usage(const QString& problem) const;
};

// Parses the command's own options and arguments into `parser`. Nothing when the command
// is to run; otherwise the exit status: its help was asked for (Ok) or the arguments are
// wrong (Usage, after saying why). Positional arguments outside [minArgs, maxArgs] are
// wrong too.
std::optional<CliExit> ParseCommandArguments(CliContext& context, QCommandLineParser& parser,
                                             const QList<QCommandLineOption>& options,
                                             qsizetype minArgs, qsizetype maxArgs);

// A whole number from `min` to `max` written in decimal; nothing otherwise.
std::optional<int> ParseNumberArgument(const QString& text, int min, int max);

struct CliCommand {
    QString name;
    QString synopsis;  // the arguments, e.g. "IN OUT [--timestamp T]"
    QString summary;
    bool needsRouter;
    std::function<CliExit(CliContext& context)> run;
    // Sub-commands that work on files only and open no port, e.g. "import".
    QStringList withoutRouter = {};

    bool NeedsRouter(const QStringList& arguments) const {
        return needsRouter && !withoutRouter.contains(arguments.value(0));
    }
};

// Every command, in the order the help lists them.
std::span<const CliCommand> CliCommands();
const CliCommand* FindCliCommand(const QString& name);

}  // namespace zerandi
