#include "serial/PortHolder.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace zerandi {

namespace {

const QString kProcLocks = QStringLiteral("/proc/locks");
const QString kProcessFolder = QStringLiteral("/proc/%1/");
const QStringList kLockFolders{QStringLiteral("/var/lock"), QStringLiteral("/run/lock")};
const QString kDevFolder = QStringLiteral("/dev/");
const QString kLockFilePrefix = QStringLiteral("LCK..");
constexpr qint64 kMaxSystemFileBytes = 1024 * 1024;

const QString kInUseText = QStringLiteral("the port is in use by another program");
const QString kInUseByText = kInUseText + QStringLiteral(" (%1)");
const QString kInUseHereText =
    QStringLiteral("the port is already open in this program (process %1)");
const QString kProcessText = QStringLiteral("process %1");
const QString kProgramProcessText = QStringLiteral("%1, process %2");

// Fields of a /proc/locks line: "1: FLOCK  ADVISORY  WRITE 1234 00:1a:3 0 EOF".
constexpr qsizetype kLockPidField = 4;
constexpr qsizetype kLockDeviceField = 5;
constexpr qsizetype kLockDeviceParts = 3;
constexpr int kHexBase = 16;
const QByteArray kBlockedWaiterMark = "->";

QByteArray ReadSystemFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(kMaxSystemFileBytes) : QByteArray();
}

std::optional<PortHolder::DeviceId> DeviceOf(const QString& systemPath) {
    struct stat status {};
    if (::stat(systemPath.toLocal8Bit().constData(), &status) != 0) {
        return std::nullopt;
    }
    return PortHolder::DeviceId{major(status.st_dev), minor(status.st_dev), status.st_ino};
}

bool LockIsOn(const QByteArray& deviceField, const PortHolder::DeviceId& device) {
    const QList<QByteArray> parts = deviceField.split(':');
    if (parts.size() != kLockDeviceParts) {
        return false;
    }
    bool majorOk = false;
    bool minorOk = false;
    bool inodeOk = false;
    return parts[0].toUInt(&majorOk, kHexBase) == device.major &&
           parts[1].toUInt(&minorOk, kHexBase) == device.minor &&
           parts[2].toULongLong(&inodeOk) == device.inode && majorOk && minorOk && inodeOk;
}

// The program's file name as it was started, else the kernel's short name for it.
QString ProgramOf(int64_t pid) {
    const QString folder = kProcessFolder.arg(pid);
    const QByteArray commandLine = ReadSystemFile(folder + QStringLiteral("cmdline"));
    const QString program =
        QFileInfo(QString::fromLocal8Bit(commandLine.split('\0').first())).fileName();
    return program.isEmpty()
               ? QString::fromLocal8Bit(ReadSystemFile(folder + QStringLiteral("comm")).trimmed())
               : program;
}

// Whether the process has the device open, as far as its descriptors show; true where they
// cannot be seen (another user's process), so that only a lock proven stale is passed over.
bool MayHoldOpen(int64_t pid, const QString& systemPath) {
    struct stat device {};
    const QDir descriptors(kProcessFolder.arg(pid) + QStringLiteral("fd"));
    if (::stat(systemPath.toLocal8Bit().constData(), &device) != 0 || !descriptors.isReadable()) {
        return true;
    }
    const QStringList entries = descriptors.entryList(QDir::AllEntries | QDir::System);
    return std::any_of(entries.begin(), entries.end(), [&](const QString& entry) {
        struct stat open {};
        return ::stat(descriptors.filePath(entry).toLocal8Bit().constData(), &open) == 0 &&
               S_ISCHR(open.st_mode) && open.st_rdev == device.st_rdev;
    });
}

}  // namespace

std::optional<int64_t> PortHolder::LockFileHolder(const QString& systemPath) {
    for (const QString& path : LockFiles(systemPath)) {
        // A lock file left by a program that has ended, or that has since closed the port (a
        // reused pseudo-terminal number, a line that dropped), holds nothing.
        const auto pid = PidFromLockFile(ReadSystemFile(path));
        if (pid && QFileInfo::exists(kProcessFolder.arg(*pid)) && MayHoldOpen(*pid, systemPath)) {
            return pid;
        }
    }
    return std::nullopt;
}

PortHolder::PortHolder(int64_t pid) : pid_(pid), program_(ProgramOf(pid)) {}

std::optional<PortHolder> PortHolder::Find(const QString& systemPath) {
    std::optional<int64_t> pid;
    if (const auto device = DeviceOf(systemPath)) {
        pid = PidFromLocks(ReadSystemFile(kProcLocks), *device);
    }
    if (!pid) {
        pid = LockFileHolder(systemPath);
    }
    return pid ? std::optional<PortHolder>(PortHolder(*pid)) : std::nullopt;
}

QString PortHolder::InUseText(const std::optional<PortHolder>& holder) {
    if (!holder) {
        return kInUseText;
    }
    if (holder->pid_ == QCoreApplication::applicationPid()) {
        return kInUseHereText.arg(holder->pid_);
    }
    return kInUseByText.arg(holder->program_.isEmpty()
                                ? kProcessText.arg(holder->pid_)
                                : kProgramProcessText.arg(holder->program_).arg(holder->pid_));
}

std::optional<int64_t> PortHolder::PidFromLocks(const QByteArray& locks, const DeviceId& device) {
    for (const QByteArray& line : locks.split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() <= kLockDeviceField || fields.contains(kBlockedWaiterMark) ||
            !LockIsOn(fields[kLockDeviceField], device)) {
            continue;
        }
        bool ok = false;
        const int64_t pid = fields[kLockPidField].toLongLong(&ok);
        if (ok && pid > 0) {
            return pid;
        }
    }
    return std::nullopt;
}

std::optional<int64_t> PortHolder::PidFromLockFile(const QByteArray& text) {
    bool ok = false;
    const int64_t pid = text.split('\n').first().trimmed().toLongLong(&ok);
    return ok && pid > 0 ? std::optional<int64_t>(pid) : std::nullopt;
}

// Lock files are named after the device without /dev/, with its slashes made underscores:
// /dev/pts/3 is LCK..pts_3.
QStringList PortHolder::LockFiles(const QString& systemPath) {
    QStringList names;
    for (const QString& path : {systemPath, QFileInfo(systemPath).canonicalFilePath()}) {
        if (path.startsWith(kDevFolder)) {
            const QString name = kLockFilePrefix + path.mid(kDevFolder.size()).replace('/', '_');
            if (!names.contains(name)) {
                names.append(name);
            }
        }
    }
    QStringList files;
    for (const QString& folder : kLockFolders) {
        for (const QString& name : names) {
            files.append(folder + QLatin1Char('/') + name);
        }
    }
    return files;
}

}  // namespace zerandi
