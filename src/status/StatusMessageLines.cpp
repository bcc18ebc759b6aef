#include "status/StatusMessageLines.h"

#include <algorithm>

#include "protocol/RouterMessage.h"

namespace zerandi {

namespace {

constexpr char kFirstPrintable = 32;
constexpr char kLastPrintable = 126;
constexpr size_t kLineEndBytes = 2;  // carriage return and line feed

bool IsPrintable(char character) {
    return character >= kFirstPrintable && character <= kLastPrintable;
}

}  // namespace

void StatusMessageLines::ReceiveMessage(const RouterMessage& message) {
    const size_t dataBytes = message.Length() > 0 ? message.Length() - 1U : 0U;
    const auto frame = message.Buffer();
    const size_t available = frame.size() - RouterMessage::kDataOffset;
    const auto data = frame.subspan(RouterMessage::kDataOffset, std::min(dataBytes, available));
    ReceiveText(std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
}

void StatusMessageLines::ReceiveText(std::string_view text) {
    for (const char character : text) {
        if (character == kCarriageReturn) {
            AddLine(pendingLine_);
            pendingLine_.clear();
        } else if (IsPrintable(character)) {
            pendingLine_ += QLatin1Char(character);
        }
    }
    if (pendingLine_.size() > kEntryChars) {
        AddLine(pendingLine_);
        pendingLine_.clear();
    }
}

void StatusMessageLines::AddLine(const QString& line) {
    while (entries_.size() >= kMaxEntriesBeforeAdd) {
        entries_.removeFirst();
    }
    const QString entry = line.left(kEntryChars);
    entries_ << entry;
    if (entryObserver_) {
        entryObserver_(entry);
    }
    if (line.size() > kEntryChars) {
        AddLine(line.mid(kEntryChars));
    }
    entries_ << QString(kEchoEntry);
}

void StatusMessageLines::Echo(char character) {
    if (!entries_.isEmpty()) {
        ApplyTyped(entries_.last(), character);
    } else if (character != kBackspace) {
        entries_ << QString(QLatin1Char(character));
    }
    ApplyTyped(typedLine_, character);
}

void StatusMessageLines::ApplyTyped(QString& text, char character) {
    if (character != kBackspace) {
        text += QLatin1Char(character);
    } else if (!text.isEmpty()) {
        text.chop(1);
    }
}

bool StatusMessageLines::TypedLineFits() const {
    return LineFitsTextFrame(typedLine_.size());
}

bool StatusMessageLines::LineFitsTextFrame(qsizetype length) {
    return static_cast<size_t>(length) + kLineEndBytes <= kMaxTextFrameBytes;
}

}  // namespace zerandi
