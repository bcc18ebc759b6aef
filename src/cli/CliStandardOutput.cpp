#include "cli/CliStandardOutput.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace zerandi {

bool CliStandardOutput::Write(const QByteArray& bytes) {
    const size_t size = static_cast<size_t>(bytes.size());
    errno = 0;
    if (std::fwrite(bytes.constData(), 1, size, stdout) != size || std::fflush(stdout) != 0) {
        Keep(errno != 0 ? errno : EIO);
        return false;
    }
    return true;
}

std::optional<QString> CliStandardOutput::Finish() {
    errno = 0;
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        Keep(errno != 0 ? errno : EIO);
    }
    errno = 0;
    if (std::fflush(stderr) != 0) {
        Keep(errno != 0 ? errno : EIO);
    }
    if (firstError_ == 0 || told_) {
        return std::nullopt;
    }
    return FailureText();
}

QString CliStandardOutput::FailureText() {
    told_ = true;
    return QStringLiteral("could not write standard output: %1")
        .arg(QString::fromLocal8Bit(std::strerror(firstError_)));
}

void CliStandardOutput::Keep(int error) {
    if (firstError_ == 0) {
        firstError_ = error;
    }
}

}  // namespace zerandi
