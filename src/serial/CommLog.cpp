#include "serial/CommLog.h"

#include "services/FormatNowText.h"

namespace zerandi {

namespace {

QString FormatBytes(std::span<const uint8_t> bytes) {
    QString text;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0 && i % comm_log::kBytesPerLine == 0) {
            text += QLatin1Char('\n') + comm_log::kContinuationIndent;
        }
        text += QStringLiteral("%1").arg(unsigned{bytes[i]}, comm_log::kByteDigits,
                                         comm_log::kByteBase, QLatin1Char('0')) +
                comm_log::kByteSeparator;
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
    Write(comm_log::kLogStartedLabel + Timestamp() + QLatin1Char('\n'));
    return true;
}

void CommLog::Close() {
    if (!IsOpen()) {
        return;
    }
    Write(QLatin1Char('\n') + comm_log::kLogClosedLabel + Timestamp() + QLatin1Char('\n'));
    file_.close();
}

void CommLog::LogFrame(Direction direction, std::span<const uint8_t> bytes) {
    if (IsOpen()) {
        Write(comm_log::DirectionLabel(direction) + FormatBytes(bytes) + QLatin1Char('\n'));
    }
}

void CommLog::LogTimestamp() {
    if (IsOpen()) {
        Write(Timestamp());
    }
}

void CommLog::LogPortOpened(const QString& portName) {
    if (IsOpen()) {
        Write(comm_log::kPortOpenedLabel + portName + QLatin1Char('\n'));
    }
}

void CommLog::LogPortClosed(const QString& portName) {
    if (IsOpen()) {
        Write(comm_log::kPortClosedLabel + portName + QLatin1Char('\n'));
    }
}

void CommLog::LogLowLatency(const QString& text) {
    if (IsOpen()) {
        Write(comm_log::kLowLatencyLabel + text + QLatin1Char('\n'));
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
