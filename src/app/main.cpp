#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QStringList>
#include <cstdio>
#include <optional>

#include "app/InstalledViews.h"
#include "app/StartupCommandLine.h"
#include "app/ZerandiApplication.h"
#include "serial/PortChoice.h"
#include "services/VersionInfo.h"
#include "shell/ApplicationIcon.h"
#include "shell/CMainFrame.h"
#include "shell/QtUiServices.h"
#include "simulate/BuiltInSimulator.h"

namespace {

using zerandi::BuiltInSimulator;
using zerandi::StartupCommandLine;

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

void Print(std::FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fputc('\n', stream);
}

QStringList ArgumentsOf(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    return arguments;
}

// Answers what needs no window: the usage, the version, a command line in error.
// Returns the exit code, or -1 when the program is to run.
int AnswerWithoutWindow(const StartupCommandLine& commandLine, const QString& programName) {
    switch (commandLine.ToDo()) {
        case StartupCommandLine::Action::ShowHelp:
            Print(stdout, StartupCommandLine::UsageText(programName));
            return kExitOk;
        case StartupCommandLine::Action::ShowVersion:
            zerandi::ReadVersionInfo();
            Print(stdout, zerandi::VersionInfo::ProductName() + QStringLiteral(" ") +
                              zerandi::VersionInfo::FileVersion());
            return kExitOk;
        case StartupCommandLine::Action::Fail:
            Print(stderr,
                  commandLine.ErrorText() + QStringLiteral("\nTry '%1 --help'.").arg(programName));
            return kExitUsage;
        case StartupCommandLine::Action::Run:
            break;
    }
    if (commandLine.Simulate() && !BuiltInSimulator::HasModel(commandLine.SimulatedModel())) {
        Print(stderr, QStringLiteral("Unknown router model \"%1\". Models: %2.")
                          .arg(commandLine.SimulatedModel(), BuiltInSimulator::ModelList()));
        return kExitUsage;
    }
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    const QStringList arguments = ArgumentsOf(argc, argv);
    const QString programName = QFileInfo(arguments.value(0)).fileName();
    const StartupCommandLine commandLine = StartupCommandLine::Parse(arguments);
    if (const int exitCode = AnswerWithoutWindow(commandLine, programName); exitCode >= 0) {
        return exitCode;
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zerandi"));
    // Lets the desktop match the window to the installed desktop entry and its icon.
    QApplication::setDesktopFileName(QStringLiteral("zerandi"));
    QApplication::setWindowIcon(zerandi::ApplicationIcon());
    QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));

    zerandi::PortChoice port = commandLine.LinkChoice().Port();
    BuiltInSimulator simulator;
    if (commandLine.Simulate()) {
        const std::optional<zerandi::PortChoice> simulated =
            simulator.Start(commandLine.SimulatedModel());
        if (!simulated) {
            Print(stderr, QStringLiteral("The simulated router could not be started."));
            return kExitFailure;
        }
        port = *simulated;
    }

    // The link closes before the simulator and the services it reports through go.
    zerandi::QtUiServices ui;
    zerandi::ZerandiApplication zerandiApp(ui);
    zerandi::InstallViews(zerandiApp);
    if (!zerandiApp.Start(port, commandLine.LinkChoice().BaudRate())) {
        return kExitFailure;
    }
    ui.SetMainWindow(&zerandiApp.MainFrame());
    return QApplication::exec();
}
