#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>
#include <optional>

#include "cli/CliCommand.h"

namespace zerandi {

class CliNames;
class CliResult;
class CliRouterLink;
class CliUiServices;
class RouterConfigDoc;
struct ConfigViewSettings;
struct UserFileRead;

// A whole number from `min` to `max` written in decimal digits only; nothing otherwise.
std::optional<int> ParseNumberArgument(const QString& text, int min, int max);

// What a command runs with: its own options and arguments, already checked against what it
// declares; the router, opened on request; the services that report; the result it fills.
class CliContext {
public:
    CliContext(const CliCommand& command, QStringList arguments, QMap<QString, QString> options,
               CliUiServices& ui, CliResult& result, CliRouterLink& router, CliNames& names);

    const CliCommand& Command() const { return command_; }
    const QStringList& Arguments() const { return arguments_; }
    QString Argument(qsizetype index) const { return arguments_.value(index); }
    bool IsSet(const QString& option) const { return options_.contains(option); }
    QString Value(const QString& option) const { return options_.value(option); }
    CliUiServices& Ui() const { return ui_; }
    CliResult& Result() const { return result_; }
    bool Json() const;
    bool Quiet() const;

    // Opens the line and identifies the router as far as the command declared it needs; an
    // identified router's names are held to it. Nothing when that worked; otherwise the exit
    // status, after saying why.
    std::optional<CliExit> OpenRouter();
    RouterConfigDoc& Doc() const;
    const ConfigViewSettings& Settings() const;
    // The names of the inputs and outputs, for the results to show.
    CliNames& Names() const { return names_; }

    // Says what is wrong with the command's arguments, and how it is used; returns Usage.
    CliExit Usage(const QString& problem) const;
    // Says what is wrong with an input file or value and that nothing was sent; returns Usage.
    CliExit Refuse(const QString& problem) const;
    // Says why the command failed; returns RouterFailed.
    CliExit Fail(const QString& problem) const;

    // The whole of an input file, or of standard input for "-"; nothing after saying why.
    std::optional<QByteArray> ReadInput(const QString& path, const UserFileRead& how) const;
    // Writes an output file through the one writer, or standard output for "-".
    bool WriteOutput(const QString& path, const QByteArray& bytes) const;
    // Refuses, before the router is touched, an output file that cannot be saved (a folder, a
    // missing folder); nothing for one that can, for standard output and for no file at all.
    std::optional<CliExit> RefuseUnsavable(const QString& path) const;

    // Writes what the result holds so far on standard output and empties it: for commands
    // that go on reporting (a watch, the controller's messages).
    void EmitResult() const;

    // Ctrl-C was pressed: stop after the transaction under way.
    static bool Interrupted();

private:
    const CliCommand& command_;
    QStringList arguments_;
    QMap<QString, QString> options_;
    CliUiServices& ui_;
    CliResult& result_;
    CliRouterLink& router_;
    CliNames& names_;
};

}  // namespace zerandi
