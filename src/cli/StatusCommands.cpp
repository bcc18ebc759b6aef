#include "cli/StatusCommands.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QThread>
#include <algorithm>
#include <array>

#include "cli/CliCommand.h"
#include "cli/CliContext.h"
#include "cli/CliResult.h"
#include "cli/CliTime.h"
#include "cli/CliUiServices.h"
#include "cli/StatusReport.h"
#include "config/RouterConfigDoc.h"
#include "protocol/RouterMessage.h"
#include "services/UiServices.h"
#include "status/ControllerStates.h"
#include "status/StatusMessageLines.h"

namespace zerandi {

namespace {

constexpr int kMaxWatchSeconds = 24 * 60 * 60;
constexpr qint64 kMsPerSecond = 1000;
// Waits go in slices this long, so that Ctrl-C ends them at once.
constexpr qint64 kWaitSliceMs = 100;
constexpr unsigned long kIdlePollMs = 250;
constexpr char16_t kFirstPrintable = 32;
constexpr char16_t kLastPrintable = 126;

const QString kWatchOption = QStringLiteral("watch");
const QString kCheckOption = QStringLiteral("check");
const QString kSecondsOption = QStringLiteral("seconds");

// Waits `milliseconds`; false when Ctrl-C ended the wait.
bool WaitUnlessInterrupted(qint64 milliseconds) {
    QElapsedTimer waited;
    waited.start();
    while (!CliContext::Interrupted() && waited.elapsed() < milliseconds) {
        QThread::msleep(
            static_cast<unsigned long>(std::min(kWaitSliceMs, milliseconds - waited.elapsed())));
    }
    return !CliContext::Interrupted();
}

// The number of seconds an option gives, 0 when it is not given; nothing when it is not a
// whole number from 1 to a day.
std::optional<int> SecondsOption(const CliContext& context, const QString& option) {
    return context.IsSet(option) ? ParseNumberArgument(context.Value(option), 1, kMaxWatchSeconds)
                                 : std::optional<int>(0);
}

// Reads the status, adds it to the result and says whether --check finds a problem in it;
// nothing when the router could not be read.
std::optional<bool> ReadStatus(CliContext& context) {
    const std::optional<StatusReport> report = StatusReport::Read(context.Doc());
    if (!report) {
        return std::nullopt;
    }
    report->AddTo(context.Result());
    const QStringList problems = report->Problems();
    if (!context.IsSet(kCheckOption) || problems.isEmpty()) {
        return false;
    }
    // On standard error too, so that cron mails it when the output goes nowhere.
    context.Ui().TellError(QStringLiteral("status --check: ") +
                           problems.join(QStringLiteral("; ")) + QLatin1Char('.'));
    return true;
}

// One reading a period until Ctrl-C, the line failing, or, with --check, a reading with a
// problem.
CliExit WatchStatus(CliContext& context, int periodSeconds) {
    for (int readings = 1;; ++readings) {
        context.Doc().CommPort().LogTimestamp();
        const std::optional<bool> problem = ReadStatus(context);
        if (!problem) {
            return CliExit::RouterFailed;
        }
        context.EmitResult();
        if (*problem) {
            return CliExit::Alarm;
        }
        if (!WaitUnlessInterrupted(periodSeconds * kMsPerSecond)) {
            context.Ui().TellInformation(QStringLiteral("status: stopped after %1 %2.")
                                             .arg(readings)
                                             .arg(readings == 1 ? "reading" : "readings"));
            return CliExit::Interrupted;
        }
    }
}

CliExit Status(CliContext& context) {
    const std::optional<int> period = SecondsOption(context, kWatchOption);
    if (!period) {
        return context.Usage(
            QStringLiteral("SECONDS is a whole number from 1 to %1.").arg(kMaxWatchSeconds));
    }
    if (const auto failed = context.OpenRouter()) {
        return *failed;
    }
    if (*period > 0) {
        return WatchStatus(context, *period);
    }
    const std::optional<bool> problem = ReadStatus(context);
    return !problem ? CliExit::RouterFailed : *problem ? CliExit::Alarm : CliExit::Ok;
}

// The words of the controller command: a state, or nothing for the reset.
struct ControllerAction {
    QLatin1String word;
    std::optional<uint8_t> state;
};

constexpr std::array kControllerActions{
    ControllerAction{QLatin1String("offline"), kControllerOfflineState},
    ControllerAction{QLatin1String("standby"), kControllerStandbyState},
    ControllerAction{QLatin1String("reset"), std::nullopt},
    ControllerAction{QLatin1String("other-offline"), kOtherControllerOfflineState},
};

QString ControllerWords(const QString& separator) {
    QStringList words;
    for (const ControllerAction& action : kControllerActions) {
        words << action.word;
    }
    return words.join(separator);
}

bool RunControllerAction(RouterDiagnosticCommPort& port, const ControllerAction& action) {
    if (!action.state) {
        if (!port.ResetController()) {
            port.Ui().showMessage(kControllerResetFailedText, MessageIcon::Warning);
            return false;
        }
        return true;
    }
    if (!port.SetControllerState(*action.state)) {
        port.Ui().showMessage(kControllerStateFailedText, MessageIcon::Warning);
        return false;
    }
    return true;
}

CliExit Controller(CliContext& context) {
    const QString word = context.Argument(0);
    const auto action =
        std::find_if(kControllerActions.begin(), kControllerActions.end(),
                     [&](const ControllerAction& candidate) { return candidate.word == word; });
    if (action == kControllerActions.end()) {
        return context.Usage(QStringLiteral("say %1.").arg(ControllerWords(QStringLiteral(", "))));
    }
    if (const auto failed = context.OpenRouter()) {
        return *failed;
    }
    if (!RunControllerAction(context.Doc().CommPort(), *action)) {
        return CliExit::RouterFailed;
    }
    context.Result().Add(QStringLiteral("State"), QString(action->word));
    return CliExit::Ok;
}

CliExit Messages(CliContext& context) {
    const std::optional<int> limit = SecondsOption(context, kSecondsOption);
    if (!limit) {
        return context.Usage(
            QStringLiteral("SECONDS is a whole number from 1 to %1.").arg(kMaxWatchSeconds));
    }
    if (const auto failed = context.OpenRouter()) {
        return *failed;
    }
    StatusMessageLines lines;
    lines.SetEntryObserver([&context](const QString& entry) {
        context.Result().Add(QStringLiteral("Time"), CliTimeText(QDateTime::currentDateTime()));
        context.Result().Add(QStringLiteral("Text"), entry);
        context.EmitResult();
    });
    RouterDiagnosticCommPort& port = context.Doc().CommPort();
    QElapsedTimer running;
    running.start();
    while (*limit == 0 || running.elapsed() < *limit * kMsPerSecond) {
        if (CliContext::Interrupted()) {
            return CliExit::Interrupted;
        }
        RouterMessage message;
        CommResult result = CommResult::Success;
        if (port.PollTextMessage(message, StatusMessageLines::kTextFrameWaitMs, result)) {
            lines.ReceiveMessage(message);
        } else if (result != CommResult::Timeout) {
            port.ReportCommResult(result);
            return CliExit::RouterFailed;
        } else {
            QThread::msleep(kIdlePollMs);
        }
    }
    return CliExit::Ok;
}

bool IsPrintableText(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) {
        return c.unicode() >= kFirstPrintable && c.unicode() <= kLastPrintable;
    });
}

CliExit Send(CliContext& context) {
    const QString text = context.Argument(0);
    if (!IsPrintableText(text)) {
        return context.Refuse(
            QStringLiteral("TEXT holds a character a text frame cannot carry: letters, digits, "
                           "blanks and the printable ASCII signs only."));
    }
    if (!StatusMessageLines::LineFitsTextFrame(text.size())) {
        return context.Refuse(
            QStringLiteral("TEXT and its line end are longer than the %1 bytes of a text frame.")
                .arg(StatusMessageLines::kMaxTextFrameBytes));
    }
    if (const auto failed = context.OpenRouter()) {
        return *failed;
    }
    const QByteArray bytes = text.toLatin1();
    if (!context.Doc().CommPort().SendTextLine(
            std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())))) {
        return context.Fail(QStringLiteral("the text could not be sent."));
    }
    context.Result().Add(QStringLiteral("Sent"), text);
    return CliExit::Ok;
}

}  // namespace

void AddStatusCommands(std::vector<CliCommand>& commands) {
    commands.push_back(
        {QStringLiteral("status"),
         QString(),
         QStringLiteral("health, references, supplies, alarms and fans, once or repeatedly"),
         {{kWatchOption, QStringLiteral("SECONDS"),
           QStringLiteral("Read again every SECONDS until Ctrl-C (exit 130).")},
          {kCheckOption, QString(),
           QStringLiteral("Exit 5 when an alarm is on, a fan has a problem or a power supply "
                          "is too hot; with --watch, stop at the first such reading.")}},
         0,
         0,
         RouterNeed::Configuration,
         Status});
    commands.push_back({QStringLiteral("controller"),
                        ControllerWords(QStringLiteral("|")),
                        QStringLiteral("set the state of the controller, or reset it"),
                        {},
                        1,
                        1,
                        RouterNeed::Link,
                        Controller});
    commands.push_back({QStringLiteral("messages"),
                        QString(),
                        QStringLiteral("print the controller's text messages as they arrive"),
                        {{kSecondsOption, QStringLiteral("SECONDS"),
                          QStringLiteral("Stop after SECONDS (default: run until Ctrl-C).")}},
                        0,
                        0,
                        RouterNeed::Link,
                        Messages});
    commands.push_back({QStringLiteral("send"),
                        QStringLiteral("TEXT"),
                        QStringLiteral("send a line of text to the controller"),
                        {},
                        1,
                        1,
                        RouterNeed::Link,
                        Send});
}

}  // namespace zerandi
