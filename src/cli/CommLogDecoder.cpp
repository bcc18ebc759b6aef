#include "cli/CommLogDecoder.h"

#include <QRegularExpression>
#include <array>
#include <optional>

#include "protocol/CommResultText.h"
#include "protocol/RouterCommands.h"
#include "protocol/RouterMessage.h"
#include "protocol/RouterProtocol.h"

namespace zerandi {

namespace {

struct CommandNameRow {
    uint8_t command;
    const char* name;
};

constexpr std::array<CommandNameRow, 22> kCommandNames{{
    {command::kAcknowledge, "Acknowledge"},
    {command::kSetControllerState, "Set Controller State"},
    {command::kGetProductId, "Get Product Id"},
    {command::kGetVersionSummary, "Get Version Summary"},
    {command::kGetStatus, "Get Status"},
    {command::kGetControlCardInfo, "Get Control Card Info"},
    {command::kGetSoftwareVersions, "Get Software Versions"},
    {command::kEnterFlashWriteMode, "Enter Flash Write Mode"},
    {command::kFlashRecord, "Flash Record"},
    {command::kExitFlashDownloadMode, "Exit Flash Download Mode"},
    {command::kSetRouterType, "Set Router Type"},
    {command::kCardAddress, "Card Address"},
    {command::kCommParameters, "Comm Parameters"},
    {command::kScrambleTable, "Scramble Table"},
    {command::kPartitionParameters, "Partition Parameters"},
    {command::kDataRouterParameters, "Data Router Parameters"},
    {command::kTake, "Take"},
    {command::kCrosspointStatus, "Crosspoint Status"},
    {command::kResetController, "Reset Controller"},
    {command::kExpansionParameters, "Expansion Parameters"},
    {command::kTextMessage, "Text Message"},
    {command::kSequenceError, "Sequence Error"},
}};

const QString kSentLabel = QStringLiteral("Sent          : ");
const QString kReceivedLabel = QStringLiteral("Received      : ");
const QString kNotSentLabel = QStringLiteral("Failed to Send: ");
const QString kStartedLabel = QStringLiteral("Log file started: ");
constexpr qsizetype kLabelWidth = 16;

std::optional<QString> NameOf(uint8_t commandByte) {
    for (const CommandNameRow& row : kCommandNames) {
        if (row.command == commandByte) {
            return QString::fromLatin1(row.name);
        }
    }
    return std::nullopt;
}

QString CommandText(uint8_t commandByte) {
    if (commandByte == command::kRefusal || commandByte == command::kAsciiError) {
        return QStringLiteral("refusal");
    }
    if (const auto name = NameOf(commandByte)) {
        return *name;
    }
    if ((commandByte & command::kReplyBit) != 0) {
        if (const auto request = NameOf(commandByte & ~command::kReplyBit)) {
            return QStringLiteral("reply to ") + *request;
        }
    }
    return QStringLiteral("command 0x%1").arg(commandByte, 2, 16, QLatin1Char('0'));
}

uint16_t WordAt(const RouterMessage& frame, size_t offset) {
    return static_cast<uint16_t>((frame.Byte(offset) << 8) | frame.Byte(offset + 1));
}

QString TakeFields(const RouterMessage& frame) {
    const size_t at = RouterMessage::kDataOffset + 1;
    return QStringLiteral("%1, source %2, destination %3")
        .arg(frame.Byte(RouterMessage::kDataOffset) == command::kSubMonitor
                 ? QStringLiteral("monitor")
                 : QStringLiteral("take"))
        .arg(WordAt(frame, at))
        .arg(WordAt(frame, at + 2));
}

QString RefusalFields(const RouterMessage& frame) {
    const CommResult result = RouterProtocol::ClassifyReply(frame);
    return QStringLiteral("code %1: %2")
        .arg(frame.Byte(RouterMessage::kDataOffset))
        .arg(CommResultText(result));
}

QString TextFields(const RouterMessage& frame, size_t dataSize) {
    QString text;
    for (size_t i = 0; i < dataSize; ++i) {
        const auto c = static_cast<char>(frame.Byte(RouterMessage::kDataOffset + i));
        if (c == '\0') {
            break;
        }
        text += c >= ' ' && c < 0x7F ? QChar::fromLatin1(c) : QLatin1Char('.');
    }
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString Fields(const RouterMessage& frame, size_t dataSize) {
    const uint8_t commandByte = frame.Command();
    if ((commandByte & ~command::kReplyBit) == command::kTake && dataSize >= 5) {
        return TakeFields(frame);
    }
    if (frame.IsRefusal()) {
        return RefusalFields(frame);
    }
    if (commandByte == command::kTextMessage) {
        return TextFields(frame, dataSize);
    }
    return {};
}

std::vector<uint8_t> HexBytes(const QString& text) {
    std::vector<uint8_t> bytes;
    for (const QString& token : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        bool ok = false;
        const uint value = token.toUInt(&ok, 16);
        if (!ok || value > 0xFF) {
            break;
        }
        bytes.push_back(static_cast<uint8_t>(value));
    }
    return bytes;
}

}  // namespace

DecodedFrame DecodeFrameBytes(std::span<const uint8_t> bytes) {
    DecodedFrame decoded;
    const RouterMessage frame = RouterMessage::FromBytes(bytes);
    const size_t frameSize = frame.FrameSize();
    decoded.complete = bytes.size() >= frameSize && bytes.size() > RouterMessage::kCommandOffset;
    if (bytes.size() <= RouterMessage::kCommandOffset) {
        decoded.command = QStringLiteral("incomplete frame");
        return decoded;
    }
    decoded.command = CommandText(frame.Command());
    decoded.checksumOk = decoded.complete && frame.ChecksumOk();
    const size_t dataSize = frame.Length() > 0 ? frame.Length() - 1u : 0u;
    // A text frame carries characters, not a sub-command.
    const bool hasSubCommand =
        (frame.Command() & command::kReplyBit) == 0 && frame.Command() != command::kTextMessage;
    if (hasSubCommand && dataSize > 0) {
        decoded.subCommand = frame.Byte(RouterMessage::kDataOffset);
    }
    decoded.fields = Fields(frame, dataSize);
    return decoded;
}

std::vector<DecodedFrame> DecodeCommLog(const QString& logText) {
    std::vector<DecodedFrame> frames;
    QString time;
    QString direction;
    std::vector<uint8_t> pending;
    const auto finish = [&] {
        if (!direction.isEmpty()) {
            DecodedFrame frame = DecodeFrameBytes(pending);
            frame.direction = direction;
            frame.time = time;
            frames.push_back(std::move(frame));
        }
        direction.clear();
        pending.clear();
    };
    static const QRegularExpression kTimeLine(
        QStringLiteral("^[A-Z][a-z]{2} [A-Z][a-z]{2} [ 0-9]\\d \\d\\d:\\d\\d:\\d\\d \\d{4}$"));
    for (const QString& line : logText.split(QLatin1Char('\n'))) {
        if (!direction.isEmpty() && line.startsWith(QString(kLabelWidth, QLatin1Char(' ')))) {
            const std::vector<uint8_t> more = HexBytes(line.mid(kLabelWidth));
            pending.insert(pending.end(), more.begin(), more.end());
            continue;
        }
        finish();
        if (line.startsWith(kSentLabel) || line.startsWith(kReceivedLabel) ||
            line.startsWith(kNotSentLabel)) {
            direction = line.startsWith(kSentLabel)       ? QStringLiteral("sent")
                        : line.startsWith(kReceivedLabel) ? QStringLiteral("received")
                                                          : QStringLiteral("not sent");
            pending = HexBytes(line.mid(kLabelWidth));
        } else if (line.startsWith(kStartedLabel)) {
            time = line.mid(kStartedLabel.size()).trimmed();
        } else if (kTimeLine.match(line).hasMatch()) {
            time = line;
        }
    }
    finish();
    return frames;
}

}  // namespace zerandi
