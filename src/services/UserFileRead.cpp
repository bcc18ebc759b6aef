#include "services/UserFileRead.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <algorithm>

#include "services/UiServices.h"

namespace zerandi {

namespace {

// Opening without blocking is what keeps a FIFO with no writer from holding the caller.
int OpenWithoutBlocking(const QString& path) {
    return ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
}

// The size of the opened file, or nothing when it is not a regular file.
std::optional<qint64> RegularFileSize(int fd) {
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        return std::nullopt;
    }
    return static_cast<qint64>(status.st_size);
}

// Up to one byte past the bound, so that a file that grew since it was measured is caught too.
QByteArray ReadBounded(QFile& file, qint64 measured, qint64 maxBytes) {
    QByteArray bytes = file.read(std::min(measured, maxBytes) + 1);
    if (bytes.size() > measured && bytes.size() <= maxBytes) {
        bytes += file.read(maxBytes + 1 - bytes.size());
    }
    return bytes;
}

std::optional<QByteArray> Refuse(UiServices& ui, const QString& text) {
    ui.showMessage(text, MessageIcon::Warning);
    return std::nullopt;
}

}  // namespace

std::optional<QByteArray> ReadUserFile(UiServices& ui, const QString& path,
                                       const UserFileRead& how) {
    const int fd = OpenWithoutBlocking(path);
    if (fd < 0) {
        return Refuse(ui, how.openFailureText);
    }
    const std::optional<qint64> size = RegularFileSize(fd);
    if (!size || *size > how.maxBytes) {
        ::close(fd);
        return Refuse(ui, size ? FileTooLargeText(path, how.maxBytes) : NotARegularFileText(path));
    }
    QFile file;
    const QIODevice::OpenMode mode =
        how.text ? QIODevice::ReadOnly | QIODevice::Text : QIODevice::ReadOnly;
    if (!file.open(fd, mode, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return Refuse(ui, how.openFailureText);
    }
    QByteArray bytes = ReadBounded(file, *size, how.maxBytes);
    if (bytes.size() > how.maxBytes) {
        return Refuse(ui, FileTooLargeText(path, how.maxBytes));
    }
    return bytes;
}

}  // namespace zerandi
