#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

namespace zerandi {

struct CliCommand;
struct CliOption;

// The words after a command's name, sorted into its options and its arguments, strictly:
// an option it does not declare, an option of the program's own, a value missing or given
// to a flag, an option given twice, or too few or too many arguments, is an error. "--"
// ends the options; "-" is an argument (standard input or output).
struct CliCommandWords {
    QStringList arguments;
    QMap<QString, QString> options;  // name without dashes -> value ("" for a flag)
    bool help = false;               // -h or --help: nothing else is checked
    QString error;                   // empty when the words were right

    static CliCommandWords Parse(const CliCommand& command, const QStringList& words,
                                 const QList<CliOption>& programOptions);
};

}  // namespace zerandi
