#include "cli/CliProgram.h"

#include <QCommandLineParser>
#include <cstdio>
#include <optional>

#include "cli/CliCommand.h"
#include "cli/CliCommandWords.h"
#include "cli/CliContext.h"
#include "cli/CliGlobalOptions.h"
#include "cli/CliHelp.h"
#include "cli/CliInterrupt.h"
#include "cli/CliNames.h"
#include "cli/CliResult.h"
#include "cli/CliRouterLink.h"
#include "cli/CliStandardOutput.h"
#include "cli/CliUiServices.h"
#include "serial/CommLog.h"
#include "services/VersionInfo.h"
#include "simulate/BuiltInSimulator.h"

namespace zerandi {

namespace {

const QString kProgramName = QStringLiteral("zerandi-cli");

// A failure is kept and told at the end of the run.
void Print(const QString& text) {
    CliStandardOutput::Write(text.toLocal8Bit());
}

QList<QCommandLineOption> ParserOptions() {
    QList<QCommandLineOption> options;
    for (const CliOption& option : CliGlobalOptions()) {
        QStringList names{option.name};
        if (option.name == QLatin1String("help")) {
            names.prepend(QStringLiteral("h"));
        } else if (option.name == QLatin1String("quiet")) {
            names.prepend(QStringLiteral("q"));
        }
        options << QCommandLineOption(names, option.help, option.valueName);
    }
    return options;
}

std::optional<QString> ValueOf(const QCommandLineParser& parser, const QString& option) {
    return parser.isSet(option) ? std::optional<QString>(parser.value(option)) : std::nullopt;
}

class CliRun {
public:
    explicit CliRun(const QStringList& arguments) : arguments_(arguments) {
        parser_.setOptionsAfterPositionalArgumentsMode(
            QCommandLineParser::ParseAsPositionalArguments);
        parser_.addOptions(ParserOptions());
    }

    CliExit Run() {
        const CliExit exit = RunWords();
        const std::optional<QString> failure = CliStandardOutput::Finish();
        if (!failure) {
            return exit;
        }
        ui_->TellError(*failure);
        return exit == CliExit::Ok ? CliExit::RouterFailed : exit;
    }

private:
    CliExit RunWords() {
        const bool parsed = parser_.parse(arguments_);
        ui_.emplace(kProgramName, Voice());
        if (!parsed) {
            return Usage(parser_.errorText() + QLatin1Char('.'));
        }
        if (parser_.isSet(QStringLiteral("help"))) {
            Print(ProgramHelp(CliGlobalOptions()));
            return CliExit::Ok;
        }
        if (parser_.isSet(QStringLiteral("version"))) {
            Print(kProgramName + QLatin1Char(' ') + VersionInfo::FileVersion() + QLatin1Char('\n'));
            return CliExit::Ok;
        }
        if (parser_.isSet(QStringLiteral("yes")) && parser_.isSet(QStringLiteral("no"))) {
            return Usage(QStringLiteral("--yes and --no cannot both be given."));
        }
        QStringList words = parser_.positionalArguments();
        if (words.isEmpty()) {
            return Usage(QStringLiteral("no command given."));
        }
        if (words.front() == QLatin1String("help")) {
            return Help(words.mid(1));
        }
        qsizetype used = 0;
        const CliCommand* command = FindCliCommand(words, used);
        if (command == nullptr) {
            return NoSuchCommand(words);
        }
        return RunCommand(*command, words.mid(used));
    }

    CliVoice Voice() const {
        CliVoice voice;
        voice.json = parser_.isSet(QStringLiteral("json"));
        voice.quiet = parser_.isSet(QStringLiteral("quiet"));
        voice.answer = parser_.isSet(QStringLiteral("yes"))  ? CliAnswer::Yes
                       : parser_.isSet(QStringLiteral("no")) ? CliAnswer::No
                                                             : CliAnswer::Ask;
        return voice;
    }

    CliExit Usage(const QString& problem) {
        ui_->TellUsage(problem, QStringLiteral("zerandi-cli [OPTIONS] COMMAND [ARGUMENTS]; "
                                               "see 'zerandi-cli --help'"));
        return CliExit::Usage;
    }

    // "help", "help COMMAND" and "help COMMAND SUB-COMMAND".
    CliExit Help(const QStringList& words) {
        if (words.isEmpty()) {
            Print(ProgramHelp(CliGlobalOptions()));
            return CliExit::Ok;
        }
        qsizetype used = 0;
        const CliCommand* command = FindCliCommand(words, used);
        if (command != nullptr && used == words.size()) {
            Print(CommandHelp(*command));
            return CliExit::Ok;
        }
        if (words.size() == 1 && !SubCommandsOf(words.front()).isEmpty()) {
            Print(GroupHelp(words.front()));
            return CliExit::Ok;
        }
        return Usage(QStringLiteral("no command \"%1\".").arg(words.join(QLatin1Char(' '))));
    }

    CliExit NoSuchCommand(const QStringList& words) {
        const QString group = words.front();
        const QStringList subCommands = SubCommandsOf(group);
        if (subCommands.isEmpty()) {
            return Usage(QStringLiteral("unknown command \"%1\".").arg(group));
        }
        const QString next = words.value(1);
        if (next == QLatin1String("-h") || next == QLatin1String("--help")) {
            Print(GroupHelp(group));
            return CliExit::Ok;
        }
        return Usage(
            QStringLiteral("%1: say %2.").arg(group, subCommands.join(QStringLiteral(", "))));
    }

    // The link options, checked before anything is opened.
    std::optional<CliLinkOptions> LinkOptions() {
        CliLinkOptions options{
            StartupLinkChoice::FromOptions(ValueOf(parser_, QStringLiteral("port")),
                                           ValueOf(parser_, QStringLiteral("baud"))),
            ValueOf(parser_, QStringLiteral("simulate")), ValueOf(parser_, QStringLiteral("log")),
            parser_.isSet(QStringLiteral("verbose"))};
        if (options.link.HasError()) {
            Usage(options.link.ErrorText());
            return std::nullopt;
        }
        if (options.logPath) {
            if (const std::optional<QString> refusal = CommLog::TargetRefusal(*options.logPath)) {
                Usage(QStringLiteral("could not open the log file %1: %2.")
                          .arg(*options.logPath, *refusal));
                return std::nullopt;
            }
        }
        if (options.simulatedModel && !BuiltInSimulator::HasModel(*options.simulatedModel)) {
            Usage(QStringLiteral("unknown router model \"%1\"; the models are %2.")
                      .arg(*options.simulatedModel, BuiltInSimulator::ModelList()));
            return std::nullopt;
        }
        return options;
    }

    CliExit RunCommand(const CliCommand& command, const QStringList& words) {
        const CliCommandWords parsed = CliCommandWords::Parse(command, words, CliGlobalOptions());
        if (parsed.help) {
            Print(CommandHelp(command));
            return CliExit::Ok;
        }
        if (!parsed.error.isEmpty()) {
            ui_->TellUsage(command.name + QStringLiteral(": ") + parsed.error, command.Synopsis());
            return CliExit::Usage;
        }
        const std::optional<CliLinkOptions> linkOptions = LinkOptions();
        if (!linkOptions) {
            return CliExit::Usage;
        }
        CliNames names(ValueOf(parser_, QStringLiteral("names")), *ui_);
        if (!names.ReadFile()) {
            return CliExit::Usage;
        }
        CliRouterLink router(*linkOptions, *ui_);
        CliResult result;
        CliContext context(command, parsed.arguments, parsed.options, *ui_, result, router, names);
        CliExit exit = command.run(context);
        if (!result.IsEmpty()) {
            context.EmitResult();
        }
        if (const std::optional<QString> failure = router.LogWriteFailure()) {
            ui_->TellError(QStringLiteral("the communication log %1 lost lines: %2.")
                               .arg(*linkOptions->logPath, *failure));
            exit = exit == CliExit::Ok ? CliExit::RouterFailed : exit;
        }
        // A transaction that timed out says nothing of its own.
        if (exit == CliExit::RouterFailed && router.IsOpen() &&
            (!router.HeardFromRouter() || !ui_->ToldAnError())) {
            ui_->TellError(QStringLiteral("no answer from the router on %1: check the cable, "
                                          "the port and the baud rate")
                               .arg(router.LineText()));
        }
        return exit;
    }

    QStringList arguments_;
    QCommandLineParser parser_;
    std::optional<CliUiServices> ui_;
};

}  // namespace

int RunCliProgram(const QStringList& arguments) {
    // The version heads every file the program writes.
    ReadVersionInfo();
    CliInterrupt::Install();
    return static_cast<int>(CliRun(arguments).Run());
}

}  // namespace zerandi
