#include "protocol/CommLogDecoder.h"

#include <array>

#include "protocol/CommResultText.h"
#include "protocol/RouterCommandNames.h"
#include "protocol/RouterCommands.h"
#include "protocol/RouterMessage.h"
#include "protocol/RouterProtocol.h"
#include "serial/CommLogReader.h"

namespace zerandi {

namespace {

// Indexed by comm_log::Direction.
const std::array<QString, 3> kDirectionTexts = {
    QStringLiteral("sent"),
    QStringLiteral("received"),
    QStringLiteral("not sent"),
};

QString CommandText(uint8_t commandByte) {
    if (commandByte == command::kRefusal || commandByte == command::kAsciiError) {
        return QStringLiteral("refusal");
    }
    if (const auto name = command::NameOf(commandByte)) {
        return *name;
    }
    if ((commandByte & command::kReplyBit) != 0) {
        if (const auto request = command::NameOf(commandByte & ~command::kReplyBit)) {
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
    for (const CommLogFrame& logged : CommLogReader::ReadFrames(logText)) {
        DecodedFrame frame = DecodeFrameBytes(logged.bytes);
        frame.direction = kDirectionTexts.at(static_cast<size_t>(logged.direction));
        frame.time = logged.time;
        frames.push_back(std::move(frame));
    }
    return frames;
}

}  // namespace zerandi
