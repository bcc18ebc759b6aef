#include "status/StatusCaptureFile.h"

#include "services/TextFileSave.h"
#include "status/StatusMessageLines.h"

namespace zerandi {

StatusCaptureFile::Outcome StatusCaptureFile::Start(const QString& path, const QString& startTime,
                                                    const QStringList& entries) {
    if (const std::optional<QString> refusal = RunningFileRefusal(path)) {
        failureReason_ = *refusal;
        return Outcome::OpenFailed;
    }
    file_.setFileName(path);
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        failureReason_ = file_.errorString();
        return Outcome::OpenFailed;
    }
    bool written = Write(startTime);
    for (const QString& entry : entries) {
        if (written && entry != StatusMessageLines::kEchoEntry) {
            written = Write(entry);
        }
    }
    return written ? Outcome::Written : Outcome::WriteFailed;
}

StatusCaptureFile::Outcome StatusCaptureFile::WriteLine(const QString& line) {
    if (!IsOn()) {
        return Outcome::WriteFailed;
    }
    return Write(line) ? Outcome::Written : Outcome::WriteFailed;
}

StatusCaptureFile::Outcome StatusCaptureFile::Stop(const QString& stopTime) {
    if (!IsOn()) {
        return Outcome::WriteFailed;
    }
    const bool written = Write(stopTime);
    file_.close();
    return written ? Outcome::Written : Outcome::WriteFailed;
}

bool StatusCaptureFile::Write(const QString& line) {
    const QByteArray bytes = line.toLatin1() + "\r\n";
    if (file_.write(bytes) != bytes.size() || !file_.flush()) {
        failureReason_ = file_.errorString();
        file_.close();
        return false;
    }
    return true;
}

}  // namespace zerandi
