#include "cli/CliProgram.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <cstdio>
#include <memory>
#include <optional>

#include "cli/CliCommand.h"
#include "cli/CliResult.h"
#include "cli/CliUiServices.h"
#include "config/RouterConfigDoc.h"
#include "serial/DispatchingSerialDevice.h"
#include "serial/StartupLinkChoice.h"
#include "serial/SystemClock.h"
#include "services/VersionInfo.h"
#include "simulate/BuiltInSimulator.h"

namespace zerandi {

namespace {

const QString kProgramName = QStringLiteral("zerandi-cli");

void Print(std::FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
}

QString CommandList() {
    QString text = QStringLiteral("\nCommands:\n");
    for (const CliCommand& command : CliCommands()) {
        const QString call = (command.name + QLatin1Char(' ') + command.synopsis).trimmed();
        text += QStringLiteral("  %1\n      %2\n").arg(call, command.summary);
    }
    return text +
           QStringLiteral("\n'%1 COMMAND --help' tells more of one command.\n").arg(kProgramName);
}

struct GlobalOptions {
    QCommandLineOption port{
        QStringLiteral("port"),
        QStringLiteral("Serial port: COM1 to COM16, a device path, tcp://HOST:PORT or "
                       "rfc2217://HOST:PORT."),
        QStringLiteral("COMn|DEVICE|ADDRESS")};
    QCommandLineOption baud{QStringLiteral("baud"),
                            QStringLiteral("Baud rate: 9600, 19200, 38400, 57600 or 115200."),
                            QStringLiteral("N")};
    QCommandLineOption simulate{QStringLiteral("simulate"),
                                QStringLiteral("Talk to the built-in simulated router."),
                                QStringLiteral("MODEL")};
    QCommandLineOption log{QStringLiteral("log"),
                           QStringLiteral("Write the communication log to FILE."),
                           QStringLiteral("FILE")};
    QCommandLineOption json{QStringLiteral("json"),
                            QStringLiteral("Write the result as one JSON document.")};
    QCommandLineOption yes{QStringLiteral("yes"),
                           QStringLiteral("Answer yes to questions (the controller reset).")};
};

std::optional<QString> ValueOf(const QCommandLineParser& parser, const QCommandLineOption& option) {
    return parser.isSet(option) ? std::optional<QString>(parser.value(option)) : std::nullopt;
}

class CliRun {
public:
    explicit CliRun(const QStringList& arguments) : arguments_(arguments) {
        parser_.setApplicationDescription(
            QStringLiteral("Reads, switches and configures a router over its diagnostic port."));
        parser_.setOptionsAfterPositionalArgumentsMode(
            QCommandLineParser::ParseAsPositionalArguments);
        parser_.addOptions({options_.port, options_.baud, options_.simulate, options_.log,
                            options_.json, options_.yes});
        parser_.addHelpOption();
        parser_.addVersionOption();
        parser_.addPositionalArgument(QStringLiteral("COMMAND"), QStringLiteral("What to do."),
                                      QStringLiteral("COMMAND [ARGUMENTS...]"));
    }

    int Run() {
        if (!parser_.parse(arguments_)) {
            return Usage(parser_.errorText());
        }
        if (parser_.isSet(QStringLiteral("help"))) {
            Print(stdout, parser_.helpText() + CommandList());
            return static_cast<int>(CliExit::Ok);
        }
        if (parser_.isSet(QStringLiteral("version"))) {
            Print(stdout,
                  kProgramName + QLatin1Char(' ') + VersionInfo::FileVersion() + QLatin1Char('\n'));
            return static_cast<int>(CliExit::Ok);
        }
        const QStringList positional = parser_.positionalArguments();
        if (positional.isEmpty()) {
            return Usage(QStringLiteral("no command given."));
        }
        const CliCommand* command = FindCliCommand(positional.front());
        if (command == nullptr) {
            return Usage(QStringLiteral("unknown command \"%1\".").arg(positional.front()));
        }
        return static_cast<int>(RunCommand(*command, positional.mid(1)));
    }

private:
    int Usage(const QString& problem) {
        Print(stderr, QStringLiteral("%1: %2\nTry '%1 --help'.\n").arg(kProgramName, problem));
        return static_cast<int>(CliExit::Usage);
    }

    CliExit RunCommand(const CliCommand& command, const QStringList& commandArguments) {
        CliUiServices ui(kProgramName, parser_.isSet(options_.yes));
        CliResult result;
        BuiltInSimulator simulator;
        std::unique_ptr<RouterConfigDoc> doc;
        if (command.NeedsRouter(commandArguments)) {
            const std::optional<CliExit> failed = OpenRouter(ui, simulator, doc);
            if (failed) {
                return *failed;
            }
        }
        CliContext context{command,          doc.get(), ui,
                           commandArguments, result,    parser_.isSet(options_.json)};
        const CliExit exit = command.run(context);
        if (!result.IsEmpty()) {
            context.EmitResult();
        }
        return exit;
    }

    std::optional<CliExit> OpenRouter(UiServices& ui, BuiltInSimulator& simulator,
                                      std::unique_ptr<RouterConfigDoc>& doc) {
        const StartupLinkChoice link = StartupLinkChoice::FromOptions(
            ValueOf(parser_, options_.port), ValueOf(parser_, options_.baud));
        if (link.HasError()) {
            return static_cast<CliExit>(Usage(link.ErrorText()));
        }
        PortChoice port = link.Port();
        if (parser_.isSet(options_.simulate)) {
            const QString model = parser_.value(options_.simulate);
            if (!BuiltInSimulator::HasModel(model)) {
                return static_cast<CliExit>(
                    Usage(QStringLiteral("unknown router model \"%1\".").arg(model)));
            }
            const std::optional<PortChoice> simulated = simulator.Start(model);
            if (!simulated) {
                Print(stderr, kProgramName +
                                  QStringLiteral(": the simulated router could not be started.\n"));
                return CliExit::PortNotOpened;
            }
            port = *simulated;
        }
        doc = std::make_unique<RouterConfigDoc>(ui, std::make_unique<DispatchingSerialDevice>(),
                                                clock_, port, link.BaudRate());
        if (!doc->CommPort().IsOpen()) {
            Print(stderr,
                  QStringLiteral("%1: could not open %2: %3\n")
                      .arg(kProgramName, port.LogName(), doc->CommPort().LastOpenErrorText()));
            return CliExit::PortNotOpened;
        }
        if (parser_.isSet(options_.log) && !doc->CommPort().OpenLog(parser_.value(options_.log))) {
            Print(stderr, QStringLiteral("%1: could not open the log file %2.\n")
                              .arg(kProgramName, parser_.value(options_.log)));
            return CliExit::Usage;
        }
        return std::nullopt;
    }

    QStringList arguments_;
    GlobalOptions options_;
    QCommandLineParser parser_;
    SystemClock clock_;
};

}  // namespace

int RunCliProgram(const QStringList& arguments) {
    // The version heads every file the program writes.
    ReadVersionInfo();
    return CliRun(arguments).Run();
}

}  // namespace zerandi
