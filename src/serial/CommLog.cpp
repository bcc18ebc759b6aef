#include "serial/CommLog.h"

#include <array>

#include "shell/FormatNowText.h"

namespace zerandi {

namespace {

const QString kContinuationIndent(16, QLatin1Char(' '));

QString DirectionLabel(CommLog::Direction direction) {
    // Every label is 16 characters wide so that the bytes line up under each other.
    static const std::array<QString, 3> kLabels = {
        QStringLiteral("Sent          : "),
        QStringLiteral("Received      : "),
        QStringLiteral("Failed to Send: "),
    };
    return kLabels.at(static_cast<size_t>(direction));
}

QString FormatBytes(std::span<const uint8_t> bytes) {
    QString text;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0 && i % CommLog::kBytesPerLine == 0) {
            text += QLatin1Char('\n') + kContinuationIndent;
        }
        text += QStringLiteral("%1 ").arg(unsigned{bytes[i]}, 2, 16, QLatin1Char('0'));
    }
    return text;
}

}  // namespace

CommLog::CommLog() : CommLog(FormatNowText) {}

CommLog::CommLog(TimeSource now) : now_(std::move(now)) {}

CommLog::~CommLog() {
    Close();
}

bool CommLog::IsOpen() const {
    return file_.isOpen();
}

bool CommLog::Open(const QString& path) {
    Close();
    file_.setFileName(path);
    // Unbuffered: each line reaches the file at once, so it is complete up to the last
    // event even if the program stops.
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        return false;
    }
    Write(QStringLiteral("Log file started: ") + Timestamp() + QLatin1Char('\n'));
    return true;
}

void CommLog::Close() {
    if (!IsOpen()) {
        return;
    }
    Write(QStringLiteral("\nLog File closed: ") + Timestamp() + QLatin1Char('\n'));
    file_.close();
}

void CommLog::LogFrame(Direction direction, std::span<const uint8_t> bytes) {
    if (IsOpen()) {
        Write(DirectionLabel(direction) + FormatBytes(bytes) + QLatin1Char('\n'));
    }
}

void CommLog::LogTimestamp() {
    if (IsOpen()) {
        Write(Timestamp());
    }
}

void CommLog::LogPortOpened(const QString& portName) {
    if (IsOpen()) {
        Write(QStringLiteral("Opened port: ") + portName + QLatin1Char('\n'));
    }
}

void CommLog::LogPortClosed(const QString& portName) {
    if (IsOpen()) {
        Write(QStringLiteral("Closed port: ") + portName + QLatin1Char('\n'));
    }
}

void CommLog::Write(const QString& text) {
    // A failed write is not reported: logging never stops the link.
    file_.write(text.toUtf8());
}

QString CommLog::Timestamp() const {
    return now_() + QLatin1Char('\n');
}

}  // namespace zerandi
