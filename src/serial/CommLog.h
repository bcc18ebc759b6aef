#pragma once

#include <QFile>
#include <QString>
#include <cstdint>
#include <functional>
#include <span>

#include "serial/CommLogFormat.h"

namespace zerandi {

// The optional text file in which the link records every frame sent or received,
// and the opening and closing of the port and of the log itself.
class CommLog {
public:
    using Direction = comm_log::Direction;
    // Gives the current local time as "Mon Dec  7 13:02:31 2026" (no line end).
    using TimeSource = std::function<QString()>;

    CommLog();  // stamps lines with FormatNowText, the local time
    explicit CommLog(TimeSource now);
    ~CommLog();

    bool IsOpen() const;
    bool Open(const QString& path);
    void Close();
    void LogFrame(Direction direction, std::span<const uint8_t> bytes);
    void LogTimestamp();
    void LogPortOpened(const QString& portName);
    void LogPortClosed(const QString& portName);
    void LogLowLatency(const QString& text);

private:
    void Write(const QString& text);
    QString Timestamp() const;  // the time text and its line end

    TimeSource now_;
    QFile file_;
};

}  // namespace zerandi
