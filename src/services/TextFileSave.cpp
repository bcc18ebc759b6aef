#include "services/TextFileSave.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "services/UiServices.h"

namespace zerandi {

namespace {

const QString kUnableToPrintText = QStringLiteral("Unable to print.");
const QString kNoReaderText = QStringLiteral("no program is reading from this pipe");

QString SystemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

bool Fail(UiServices& ui, const QString& sentence, const QString& path, const QString& reason) {
    ui.showMessage(FileFailureText(sentence, path, reason), MessageIcon::Warning);
    return false;
}

// Why no new file can be made at `path`, which does not exist yet: its folder is missing or
// refuses it.
std::optional<QString> NewFileRefusal(const QString& path) {
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    if (::access(folder.constData(), W_OK | X_OK) != 0) {
        return SystemReason(errno);
    }
    return std::nullopt;
}

// The reason a save at `path` is refused before anything is written, or nothing.
std::optional<QString> RefusalReason(const QString& path) {
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) == 0) {
        if (S_ISDIR(status.st_mode)) {
            return SystemReason(EISDIR);
        }
        if (S_ISSOCK(status.st_mode)) {
            return QStringLiteral("it is a socket, not a file");
        }
        // Bytes meant for a file would overwrite a disk.
        if (S_ISBLK(status.st_mode)) {
            return QStringLiteral("it is a disk device, not a file");
        }
        return std::nullopt;
    }
    return errno == ENOENT ? NewFileRefusal(path) : SystemReason(errno);
}

// Every byte from `offset` on, past interruptions; 0 or the error that stopped it.
int WriteAll(int fd, const QByteArray& bytes, off_t offset) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written =
            offset < 0 ? ::write(fd, bytes.constData() + done, bytes.size() - done)
                       : ::pwrite(fd, bytes.constData() + done, bytes.size() - done, offset + done);
        if (written < 0 && errno != EINTR) {
            return errno;
        }
        done += std::max<ssize_t>(written, 0);
    }
    return 0;
}

std::optional<QByteArray> ReadAll(int fd) {
    QByteArray bytes;
    std::array<char, 65536> block{};
    for (off_t offset = 0;;) {
        const ssize_t got = ::pread(fd, block.data(), block.size(), offset);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return std::nullopt;
        }
        if (got == 0) {
            return bytes;
        }
        bytes.append(block.data(), got);
        offset += got;
    }
}

// The bytes in place of the file's content, with the file cut to their length; 0 or the error.
int Overwrite(int fd, const QByteArray& bytes) {
    if (const int error = WriteAll(fd, bytes, 0)) {
        return error;
    }
    return ::ftruncate(fd, bytes.size()) == 0 && ::fsync(fd) == 0 ? 0 : errno;
}

// The atomic rename would give the path a new file: the other links would keep the old bytes,
// and the file would change owner. A folder that takes no new file cannot hold the rename.
bool MustWriteInPlace(const struct stat& status, const QString& path) {
    return status.st_nlink > 1 || status.st_uid != ::geteuid() ||
           !QFileInfo(QFileInfo(path).absolutePath()).isWritable();
}

// Written over the file itself. The space the new bytes need is taken first and the earlier
// bytes are kept, so that a full disk or a failed write puts the file back as it was.
bool WriteInPlace(UiServices& ui, const QString& path, const QByteArray& bytes,
                  const QString& openFailureText) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        return Fail(ui, openFailureText, path, SystemReason(errno));
    }
    const std::optional<QByteArray> earlier = ReadAll(fd);
    int error = earlier ? 0 : errno;
    if (error == 0 && bytes.size() > earlier->size()) {
        error = ::posix_fallocate(fd, 0, bytes.size());
    }
    if (error == 0 && (error = Overwrite(fd, bytes)) != 0) {
        Overwrite(fd, *earlier);
    }
    ::close(fd);
    return error == 0 || Fail(ui, kCouldNotWriteFileText, path, SystemReason(error));
}

// A pipe or a device takes the bytes as they come and is never replaced by a file. A pipe that
// no program reads is refused at once rather than waited on.
bool WriteStream(UiServices& ui, const QString& path, const QByteArray& bytes,
                 const QString& openFailureText) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return Fail(ui, openFailureText, path,
                    errno == ENXIO ? kNoReaderText : SystemReason(errno));
    }
    int error = ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) == 0 ? 0 : errno;
    if (error == 0) {
        error = WriteAll(fd, bytes, -1);
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    return error == 0 || Fail(ui, kCouldNotWriteFileText, path, SystemReason(error));
}

// The mode the saved file gets: that of the file it replaces, or that of a new file.
mode_t ModeFor(const QString& path) {
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) == 0) {
        return status.st_mode & 07777;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Written whole into a file beside it, then renamed over it: the file that was there stays as
// it was unless every byte reached the disk.
bool WriteAtomically(UiServices& ui, const QString& path, const QByteArray& bytes,
                     const QString& openFailureText) {
    QByteArray beside = QFile::encodeName(path) + ".XXXXXX";
    const int fd = ::mkostemp(beside.data(), O_CLOEXEC);
    if (fd < 0) {
        return Fail(ui, openFailureText, path, SystemReason(errno));
    }
    int error = ::fchmod(fd, ModeFor(path)) == 0 ? 0 : errno;
    if (error == 0) {
        error = WriteAll(fd, bytes, -1);
    }
    if (error == 0 && ::fsync(fd) != 0) {
        error = errno;
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error == 0 && ::rename(beside.constData(), QFile::encodeName(path).constData()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(beside.constData());
        return Fail(ui, kCouldNotWriteFileText, path, SystemReason(error));
    }
    return true;
}

}  // namespace

std::optional<QString> RunningFileRefusal(const QString& path) {
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) == 0) {
        if (!S_ISREG(status.st_mode)) {
            return QStringLiteral("it is not a file but a folder, a pipe or a device");
        }
        return std::nullopt;
    }
    return errno == ENOENT ? NewFileRefusal(path) : SystemReason(errno);
}

std::optional<QString> SaveRefusal(const QString& path, const QString& sentence) {
    const std::optional<QString> reason = RefusalReason(path);
    if (!reason) {
        return std::nullopt;
    }
    return FileFailureText(sentence, path, *reason);
}

QByteArray WithCrLf(const QString& text) {
    QByteArray bytes = text.toLatin1();
    bytes.replace("\n", "\r\n");
    return bytes;
}

bool SaveFileBytes(UiServices& ui, const QString& path, const QByteArray& bytes,
                   const QString& openFailureText) {
    if (const std::optional<QString> refusal = SaveRefusal(path, openFailureText)) {
        ui.showMessage(*refusal, MessageIcon::Warning);
        return false;
    }
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0) {
        return WriteAtomically(ui, path, bytes, openFailureText);
    }
    if (!S_ISREG(status.st_mode)) {
        return WriteStream(ui, path, bytes, openFailureText);
    }
    return MustWriteInPlace(status, path) ? WriteInPlace(ui, path, bytes, openFailureText)
                                          : WriteAtomically(ui, path, bytes, openFailureText);
}

bool PrintReport(UiServices& ui, const QString& fileName,
                 const std::function<bool(const QString& path)>& writeReport) {
    // A folder of our own: a file of the same name left by another user cannot stop the print.
    const QTemporaryDir folder;
    if (!folder.isValid()) {
        ui.showMessage(kUnableToPrintText, MessageIcon::Warning);
        return false;
    }
    const QString path = folder.filePath(fileName);
    if (!writeReport(path)) {
        return false;
    }
    if (!ui.printFile(path)) {
        ui.showMessage(kUnableToPrintText, MessageIcon::Warning);
        return false;
    }
    return true;
}

}  // namespace zerandi
