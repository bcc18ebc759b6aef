#pragma once

#include <QList>
#include <QString>

namespace zerandi {

struct CliCommand;
struct CliOption;

// The help zerandi-cli prints: of the program as a whole, and of one command.
QString ProgramHelp(const QList<CliOption>& globalOptions);
QString CommandHelp(const CliCommand& command);
// Every sub-command of a group ("salvo"), one after the other.
QString GroupHelp(const QString& group);

}  // namespace zerandi
