#pragma once

#include <QString>
#include <array>

// The lines of the communication log: what CommLog writes and CommLogReader reads back.
namespace zerandi::comm_log {

enum class Direction { Sent = 0, Received = 1, FailedToSend = 2 };

// The frame labels, indexed by Direction. Each is as wide as the indent of a frame's
// continuation lines, so that the bytes line up under each other.
inline constexpr qsizetype kLabelWidth = 16;
inline const std::array<QString, 3> kDirectionLabels = {
    QStringLiteral("Sent          : "),
    QStringLiteral("Received      : "),
    QStringLiteral("Failed to Send: "),
};
inline const QString kContinuationIndent(kLabelWidth, QLatin1Char(' '));
inline constexpr int kBytesPerLine = 20;

// Far more than a long session writes; decoding a log stays within memory.
inline constexpr qint64 kMaxLogFileBytes = 64 * 1024 * 1024;

// Each byte is two lower-case hex digits followed by the separator.
inline constexpr int kByteDigits = 2;
inline constexpr int kByteBase = 16;
inline constexpr QLatin1Char kByteSeparator(' ');

inline const QString kLogStartedLabel = QStringLiteral("Log file started: ");
inline const QString kLogClosedLabel = QStringLiteral("Log File closed: ");
inline const QString kPortOpenedLabel = QStringLiteral("Opened port: ");
inline const QString kPortClosedLabel = QStringLiteral("Closed port: ");
inline const QString kLowLatencyLabel = QStringLiteral("Low latency: ");

// A line holding only a time as FormatTimeText writes it: "Mon Dec  7 13:02:31 2026".
inline const QString kTimeLinePattern =
    QStringLiteral("^[A-Z][a-z]{2} [A-Z][a-z]{2} [ 0-9]\\d \\d\\d:\\d\\d:\\d\\d \\d{4}$");

inline const QString& DirectionLabel(Direction direction) {
    return kDirectionLabels.at(static_cast<size_t>(direction));
}

}  // namespace zerandi::comm_log
