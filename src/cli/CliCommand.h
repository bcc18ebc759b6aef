#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <span>

#include "cli/CliExit.h"

namespace zerandi {

class CliContext;

// One option of a command: a flag when it names no value.
struct CliOption {
    QString name;       // without the dashes, e.g. "timestamp"
    QString valueName;  // e.g. "T"; empty for a flag
    QString help;
};

// How far a command needs the router before it can check its arguments and act.
enum class RouterNeed {
    None,           // files only: no port is opened
    Link,           // the open line, nothing read yet
    Identity,       // the product id and the control card
    Configuration,  // everything "Read All" reads
};

struct CliCommand {
    QString name;       // "take", or a command and its sub-command: "salvo run"
    QString arguments;  // the positional arguments, e.g. "IN OUT"
    QString summary;
    QList<CliOption> options;
    qsizetype minArguments;
    qsizetype maxArguments;
    RouterNeed need;
    std::function<CliExit(CliContext& context)> run;

    // "zerandi-cli take IN OUT [--timestamp T] [--tri-state]"
    QString Synopsis() const;
    const CliOption* FindOption(const QString& option) const;
};

// Every command, in the order the help lists them.
std::span<const CliCommand> CliCommands();
// The command that `words` start with: a command and its sub-command first, then a command
// alone; the number of words it took in `used`.
const CliCommand* FindCliCommand(const QStringList& words, qsizetype& used);
// The sub-commands of `group` ("run" and "capture" of "salvo"); empty for a plain command.
QStringList SubCommandsOf(const QString& group);

}  // namespace zerandi
