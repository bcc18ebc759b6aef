#include "app/StartupCommandLine.h"

namespace zerandi {

namespace {

const QString kSimulateOption = QStringLiteral("--simulate");

bool IsOption(const QString& argument) {
    return argument.startsWith(QLatin1Char('-'));
}

}  // namespace

StartupCommandLine::StartupCommandLine(const QStringList& arguments)
    : linkChoice_(StartupLinkChoice::FromArguments(arguments)) {
    if (linkChoice_.HasError()) {
        action_ = Action::Fail;
        error_ = linkChoice_.ErrorText();
    }
    ReadOptions(arguments);
}

StartupCommandLine StartupCommandLine::Parse(const QStringList& arguments) {
    return StartupCommandLine(arguments);
}

void StartupCommandLine::ReadOptions(const QStringList& arguments) {
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == QStringLiteral("--help") || argument == QStringLiteral("-h")) {
            action_ = Action::ShowHelp;
            return;
        }
        if (argument == QStringLiteral("--version")) {
            action_ = Action::ShowVersion;
            return;
        }
        if (argument.startsWith(kSimulateOption + QLatin1Char('='))) {
            simulatedModel_ = argument.mid(kSimulateOption.size() + 1);
        } else if (argument == kSimulateOption) {
            const bool modelFollows = i + 1 < arguments.size() && !IsOption(arguments.at(i + 1));
            simulatedModel_ =
                modelFollows ? arguments.at(++i) : QString::fromLatin1(kDefaultSimulatedModel);
        }
    }
}

QString StartupCommandLine::UsageText(const QString& programName) {
    return QStringLiteral(
               "Usage: %1 [options]\n"
               "\n"
               "Options:\n"
               "  --port COMn|DEVICE  serial port: COM1 to COM16 (COM n is /dev/ttyS(n-1))\n"
               "                      or a device such as /dev/ttyUSB0\n"
               "  --baud N            9600, 19200, 38400, 57600 or 115200\n"
               "  COM2, COM3, COM4    anywhere on the line: port 2, 3 or 4\n"
               "  b19200, b38400, b57600, b115200\n"
               "                      anywhere on the line: that baud rate\n"
               "  --simulate [MODEL]  start the built-in simulated router (default %2)\n"
               "                      and connect to it\n"
               "  --help              show this text and exit\n"
               "  --version           show the version and exit\n"
               "\n"
               "Without a port Zerandi opens COM1 at 9600 baud. --port and --baud win over\n"
               "the short switches; --simulate wins over both.\n")
        .arg(programName, QString::fromLatin1(kDefaultSimulatedModel));
}

}  // namespace zerandi
