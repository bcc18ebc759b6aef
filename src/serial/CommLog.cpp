#include "serial/CommLog.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "services/FormatNowText.h"
#include "services/TextFileSave.h"

namespace zerandi {

namespace {

const QLatin1String kStandardOutputName("-");

QString SystemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

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

std::optional<QString> CommLog::TargetRefusal(const QString& path) {
    if (path == kStandardOutputName) {
        return std::nullopt;
    }
    return RunningFileRefusal(path);
}

bool CommLog::Open(const QString& path) {
    Close();
    writeFailure_.reset();
    if (TargetRefusal(path)) {
        return false;
    }
    // Unbuffered: each line reaches the file at once, so it is complete up to the last
    // event even if the program stops.
    bool opened = false;
    if (path == kStandardOutputName) {
        opened = file_.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered);
    } else {
        file_.setFileName(path);
        opened = file_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered);
    }
    if (!opened) {
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
    // Logging never stops the link; the first failure is kept to be told.
    const QByteArray bytes = text.toUtf8();
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t written = ::write(file_.handle(), bytes.constData() + done,
                                        static_cast<size_t>(bytes.size() - done));
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written < 0) {
            writeFailure_ = writeFailure_.value_or(SystemReason(errno));
            return;
        }
        done += written;
    }
}

QString CommLog::Timestamp() const {
    return now_() + QLatin1Char('\n');
}

}  // namespace zerandi
