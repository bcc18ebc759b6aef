#pragma once

#include <QString>
#include <QStringList>

#include "serial/StartupLinkChoice.h"

namespace zerandi {

// What the program's command line asks for: the port and baud rate to start with,
// the built-in simulated router, or only the usage or the version.
class StartupCommandLine {
public:
    enum class Action { Run, ShowHelp, ShowVersion, Fail };

    static constexpr const char* kDefaultSimulatedModel = "QR1209";

    // The arguments as main() receives them, the program name first.
    static StartupCommandLine Parse(const QStringList& arguments);

    Action ToDo() const { return action_; }
    const StartupLinkChoice& LinkChoice() const { return linkChoice_; }
    bool Simulate() const { return !simulatedModel_.isEmpty(); }
    const QString& SimulatedModel() const { return simulatedModel_; }
    // Why the command line cannot be followed (Action::Fail).
    const QString& ErrorText() const { return error_; }

    static QString UsageText(const QString& programName);

private:
    explicit StartupCommandLine(const QStringList& arguments);
    void ReadOptions(const QStringList& arguments);

    StartupLinkChoice linkChoice_;
    Action action_ = Action::Run;
    QString simulatedModel_;
    QString error_;
};

}  // namespace zerandi
