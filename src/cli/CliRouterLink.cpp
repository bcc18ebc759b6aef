#include "cli/CliRouterLink.h"

#include <utility>

#include "cli/CliUiServices.h"
#include "config/ConfigReadSequence.h"
#include "config/RouterConfigDoc.h"
#include "protocol/CommLogDecoder.h"
#include "serial/DispatchingSerialDevice.h"

namespace zerandi {

namespace {

QString DirectionText(CommLog::Direction direction) {
    switch (direction) {
        case CommLog::Direction::Sent:
            return QStringLiteral("sent");
        case CommLog::Direction::Received:
            return QStringLiteral("received");
        case CommLog::Direction::FailedToSend:
            break;
    }
    return QStringLiteral("not sent");
}

QString FrameText(CommLog::Direction direction, std::span<const uint8_t> bytes) {
    const DecodedFrame frame = DecodeFrameBytes(bytes);
    QString text = DirectionText(direction) + QLatin1Char(' ') + frame.command;
    if (!frame.fields.isEmpty()) {
        text += QStringLiteral(": ") + frame.fields;
    }
    if (!frame.complete) {
        text += QStringLiteral(" (cut short)");
    } else if (!frame.checksumOk) {
        text += QStringLiteral(" (BAD checksum)");
    }
    return text;
}

}  // namespace

CliRouterLink::CliRouterLink(CliLinkOptions options, CliUiServices& ui)
    : options_(std::move(options)), ui_(ui) {}

CliRouterLink::~CliRouterLink() = default;

QString CliRouterLink::LineText() const {
    const QString port = options_.simulatedModel
                             ? QStringLiteral("the simulated %1").arg(*options_.simulatedModel)
                             : options_.link.Port().LogName();
    return QStringLiteral("%1 at %2 baud").arg(port).arg(options_.link.BaudRate());
}

std::optional<CliExit> CliRouterLink::Open(RouterNeed need) {
    if (need == RouterNeed::None) {
        return std::nullopt;
    }
    if (!doc_) {
        if (const std::optional<CliExit> failed = OpenLine()) {
            return failed;
        }
    }
    return Identify(need) ? std::nullopt : std::optional<CliExit>(CliExit::RouterFailed);
}

std::optional<CliExit> CliRouterLink::OpenLine() {
    PortChoice port = options_.link.Port();
    if (options_.simulatedModel) {
        const std::optional<PortChoice> simulated = simulator_.Start(*options_.simulatedModel);
        if (!simulated) {
            ui_.TellError(QStringLiteral("the simulated router could not be started."));
            return CliExit::PortNotOpened;
        }
        port = *simulated;
    }
    doc_ = std::make_unique<RouterConfigDoc>(ui_, std::make_unique<DispatchingSerialDevice>(),
                                             clock_, port, options_.link.BaudRate());
    if (!doc_->CommPort().IsOpen()) {
        ui_.TellError(QStringLiteral("could not open %1: %2")
                          .arg(port.LogName(), doc_->CommPort().LastOpenErrorText()));
        return CliExit::PortNotOpened;
    }
    if (options_.logPath && !doc_->CommPort().OpenLog(*options_.logPath)) {
        ui_.TellError(QStringLiteral("could not open the log file %1.").arg(*options_.logPath));
        return CliExit::Usage;
    }
    WatchFrames();
    return std::nullopt;
}

std::optional<QString> CliRouterLink::LogWriteFailure() const {
    return doc_ ? doc_->CommPort().LogWriteFailure() : std::nullopt;
}

void CliRouterLink::WatchFrames() {
    doc_->CommPort().SetFrameObserver(
        [this](CommLog::Direction direction, std::span<const uint8_t> bytes) {
            heard_ = heard_ || direction == CommLog::Direction::Received;
            if (options_.verbose) {
                ui_.TellFrame(FrameText(direction, bytes));
            }
        });
}

bool CliRouterLink::Identify(RouterNeed need) {
    ConfigReadSequence read(*doc_, settings_);
    switch (need) {
        case RouterNeed::Identity:
            return read.ReadIdentity();
        case RouterNeed::Configuration:
            read.Run();
            return doc_->ProductKnown();
        case RouterNeed::None:
        case RouterNeed::Link:
            break;
    }
    return true;
}

}  // namespace zerandi
