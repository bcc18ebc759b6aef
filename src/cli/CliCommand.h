#pragma once

#include <QString>
#include <QStringList>
#include <functional>
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

    // Says what is wrong with the command's arguments, and how it is used, on standard
    // error; returns CliExit::Usage.
    CliExit Usage(const QString& problem) const;
};

struct CliCommand {
    QString name;
    QString synopsis;  // the arguments, e.g. "IN OUT [--timestamp T]"
    QString summary;
    bool needsRouter;
    std::function<CliExit(CliContext& context)> run;
};

// Every command, in the order the help lists them.
std::span<const CliCommand> CliCommands();
const CliCommand* FindCliCommand(const QString& name);

}  // namespace zerandi
