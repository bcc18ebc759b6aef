#pragma once

#include <QFile>
#include <QString>
#include <QStringList>

namespace zerandi {

// The capture of the status message console: plain text with CR LF line ends, a start
// time line, the console's lines as they are added, and a stop time line.
class StatusCaptureFile {
public:
    enum class Outcome { Written, OpenFailed, WriteFailed };

    // Creates or empties the file and writes the start time and the entries shown so far
    // (not the one-blank echo entries). Anything but Written leaves capture off; a pipe or a
    // device is refused without being opened, so that nothing waits on it.
    Outcome Start(const QString& path, const QString& startTime, const QStringList& entries);
    // Appends one line and flushes it; on a write error the file is closed (the lines
    // written so far stay) and capture is off.
    Outcome WriteLine(const QString& line);
    // Writes the stop time and closes the file.
    Outcome Stop(const QString& stopTime);

    bool IsOn() const { return file_.isOpen(); }
    // Why the last Start, WriteLine or Stop did not write: the system's reason.
    const QString& FailureReason() const { return failureReason_; }

private:
    bool Write(const QString& line);

    QFile file_;
    QString failureReason_;
};

}  // namespace zerandi
