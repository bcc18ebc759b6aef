#pragma once

#include <QFile>
#include <QString>
#include <cstdint>
#include <functional>
#include <span>

namespace zerandi {

// The optional text file in which the link records every frame sent or received,
// and the opening and closing of the port and of the log itself.
class CommLog {
public:
    enum class Direction { Sent = 0, Received = 1, FailedToSend = 2 };
    // Gives the current local time as "Mon Dec  7 13:02:31 2026" (no line end).
    using TimeSource = std::function<QString()>;

    static constexpr int kBytesPerLine = 20;

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

private:
    void Write(const QString& text);
    QString Timestamp() const;  // the time text and its line end

    TimeSource now_;
    QFile file_;
};

}  // namespace zerandi
