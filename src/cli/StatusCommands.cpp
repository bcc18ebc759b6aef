#include "cli/StatusCommands.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QThread>

#include "cli/CliCommand.h"
#include "cli/CliResult.h"
#include "cli/CliRouter.h"
#include "config/RouterConfigDoc.h"
#include "protocol/GeneralHealthStatus.h"
#include "protocol/RouterMessage.h"
#include "services/UiServices.h"
#include "status/ControllerStates.h"
#include "status/StatusMessageLines.h"
#include "status/StatusPanelReading.h"

namespace zerandi {

namespace {

constexpr int kMaxWatchSeconds = 24 * 60 * 60;
constexpr int kMsPerSecond = 1000;
constexpr unsigned long kIdlePollMs = 250;

QString StateName(int state) {
    return StatusPanelReading::CardStateNames().value(state, QString::number(state));
}

QStringList PresentSupplies(const StatusPanelReading& reading) {
    QStringList supplies;
    for (size_t i = 0; i < reading.powerSupplyPresent.size(); ++i) {
        if (reading.powerSupplyPresent[i]) {
            const bool hot = reading.hasTemperatures && !reading.powerSupplyTempOk[i];
            supplies << QStringLiteral("%1%2").arg(i + 1).arg(hot ? QStringLiteral(" (hot)")
                                                                  : QString());
        }
    }
    return supplies;
}

// One reading of the router's health, time-stamped; false when it could not be read.
bool ReadStatus(CliContext& context) {
    RouterConfigDoc& doc = *context.doc;
    GeneralHealthStatus health;
    if (!doc.CommPort().GetGeneralHealth(health)) {
        context.ui.showMessage(kStatusReadFailedText, MessageIcon::Warning);
        return false;
    }
    const StatusPanelReading reading =
        StatusPanelReading::FromHealth(health, doc.ProductId(), doc.levels.front().signalType);
    CliResult& result = context.result;
    result.Add(QStringLiteral("Time"), QDateTime::currentDateTime().toString(Qt::ISODate));
    result.Add(QStringLiteral("Card state"), StateName(reading.cardState));
    result.Add(QStringLiteral("This card healthy"), reading.thisCardHealthy);
    result.Add(QStringLiteral("Other card healthy"), reading.otherCardHealthy);
    result.Add(QStringLiteral("Other card active"), reading.otherCardActive);
    result.AddList(QStringLiteral("Power supplies"), PresentSupplies(reading));
    result.AddList(QStringLiteral("Alarms"), reading.alarmLines);
    std::vector<uint8_t> fans;
    if (doc.CommPort().GetFanStatus(fans)) {
        result.AddList(QStringLiteral("Fans"), StatusPanelReading::FanLines(fans));
    }
    result.Add(QStringLiteral("Aux data"), reading.auxDataLine);
    return true;
}

CliExit Status(CliContext& context) {
    const QCommandLineOption watch(QStringLiteral("watch"),
                                   QStringLiteral("Read again every SECONDS until stopped."),
                                   QStringLiteral("SECONDS"));
    QCommandLineParser parser;
    if (auto exit = ParseCommandArguments(context, parser, {watch}, 0, 0)) {
        return *exit;
    }
    const auto period = parser.isSet(watch)
                            ? ParseNumberArgument(parser.value(watch), 1, kMaxWatchSeconds)
                            : std::optional<int>(0);
    if (!period) {
        return context.Usage(QStringLiteral("SECONDS is a whole number from 1."));
    }
    if (!ReadRouterIdentity(*context.doc)) {
        return CliExit::RouterFailed;
    }
    while (ReadStatus(context)) {
        if (*period == 0) {
            return CliExit::Ok;
        }
        context.EmitResult();
        context.ui.sleep(*period * kMsPerSecond);
    }
    return CliExit::RouterFailed;
}

CliExit Controller(CliContext& context) {
    QCommandLineParser parser;
    if (auto exit = ParseCommandArguments(context, parser, {}, 1, 1)) {
        return *exit;
    }
    const QString what = parser.positionalArguments().front();
    RouterDiagnosticCommPort& port = context.doc->CommPort();
    if (what == QLatin1String("reset")) {
        if (!port.ResetController()) {
            context.ui.showMessage(kControllerResetFailedText, MessageIcon::Warning);
            return CliExit::RouterFailed;
        }
        return CliExit::Ok;
    }
    const std::optional<uint8_t> state =
        what == QLatin1String("offline")   ? std::optional<uint8_t>(kControllerOfflineState)
        : what == QLatin1String("standby") ? std::optional<uint8_t>(kControllerStandbyState)
        : what == QLatin1String("other-offline")
            ? std::optional<uint8_t>(kOtherControllerOfflineState)
            : std::nullopt;
    if (!state) {
        return context.Usage(QStringLiteral("say offline, standby, reset or other-offline."));
    }
    if (!port.SetControllerState(*state)) {
        context.ui.showMessage(kControllerStateFailedText, MessageIcon::Warning);
        return CliExit::RouterFailed;
    }
    return CliExit::Ok;
}

CliExit Messages(CliContext& context) {
    const QCommandLineOption seconds(QStringLiteral("seconds"),
                                     QStringLiteral("Stop after SECONDS (default: run until "
                                                    "stopped)."),
                                     QStringLiteral("SECONDS"));
    QCommandLineParser parser;
    if (auto exit = ParseCommandArguments(context, parser, {seconds}, 0, 0)) {
        return *exit;
    }
    const auto limit = parser.isSet(seconds)
                           ? ParseNumberArgument(parser.value(seconds), 1, kMaxWatchSeconds)
                           : std::optional<int>(0);
    if (!limit) {
        return context.Usage(QStringLiteral("SECONDS is a whole number from 1."));
    }
    StatusMessageLines lines;
    lines.SetEntryObserver([](const QString& entry) {
        std::fputs((entry + QLatin1Char('\n')).toLocal8Bit().constData(), stdout);
        std::fflush(stdout);
    });
    QElapsedTimer running;
    running.start();
    while (*limit == 0 || running.elapsed() < static_cast<qint64>(*limit) * kMsPerSecond) {
        RouterMessage message;
        CommResult result = CommResult::Success;
        if (context.doc->CommPort().PollTextMessage(message, StatusMessageLines::kTextFrameWaitMs,
                                                    result)) {
            lines.ReceiveMessage(message);
        } else if (result != CommResult::Timeout) {
            context.doc->CommPort().ReportCommResult(result);
            return CliExit::RouterFailed;
        } else {
            QThread::msleep(kIdlePollMs);
        }
    }
    return CliExit::Ok;
}

CliExit Send(CliContext& context) {
    QCommandLineParser parser;
    if (auto exit = ParseCommandArguments(context, parser, {}, 1, 1)) {
        return *exit;
    }
    const QByteArray text = parser.positionalArguments().front().toLatin1();
    if (!StatusMessageLines::LineFitsTextFrame(text.size())) {
        return context.Usage(QStringLiteral("TEXT does not fit one text frame."));
    }
    return context.doc->CommPort().SendTextLine(
               std::string_view(text.constData(), static_cast<size_t>(text.size())))
               ? CliExit::Ok
               : CliExit::RouterFailed;
}

}  // namespace

void AddStatusCommands(std::vector<CliCommand>& commands) {
    commands.push_back({QStringLiteral("status"), QStringLiteral("[--watch SECONDS]"),
                        QStringLiteral("health, alarms and fans, once or repeatedly"), true,
                        Status});
    commands.push_back(
        {QStringLiteral("controller"), QStringLiteral("offline|standby|reset|other-offline"),
         QStringLiteral("set the state of the controller, or reset it"), true, Controller});
    commands.push_back({QStringLiteral("messages"), QStringLiteral("[--seconds N]"),
                        QStringLiteral("print the controller's text messages as they arrive"), true,
                        Messages});
    commands.push_back({QStringLiteral("send"), QStringLiteral("TEXT"),
                        QStringLiteral("send a line of text to the controller"), true, Send});
}

}  // namespace zerandi
