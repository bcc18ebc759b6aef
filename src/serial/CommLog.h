#pragma once

#include <QFile>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
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

    // The reason no log can be kept at `path`, told before anything is opened: a log is a
    // regular file, or a new one in a folder that takes it; a pipe would block the program
    // and a device swallow the log. Nothing when it can; "-" is standard output.
    static std::optional<QString> TargetRefusal(const QString& path);

    bool IsOpen() const;
    // Starts a log at `path` ("-": standard output); false when the target is refused or
    // could not be opened.
    bool Open(const QString& path);
    void Close();
    void LogFrame(Direction direction, std::span<const uint8_t> bytes);
    void LogTimestamp();
    void LogPortOpened(const QString& portName);
    void LogPortClosed(const QString& portName);
    void LogLowLatency(const QString& text);
    // The reason the first write of this log failed (a full disk), or nothing: a log that
    // cannot be written does not stop the link, but is told.
    std::optional<QString> WriteFailure() const { return writeFailure_; }

private:
    void Write(const QString& text);
    QString Timestamp() const;  // the time text and its line end

    TimeSource now_;
    QFile file_;
    std::optional<QString> writeFailure_;
};

}  // namespace zerandi
