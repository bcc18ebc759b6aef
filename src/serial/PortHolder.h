#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace zerandi {

// The process that holds a serial port, as far as the system tells: the advisory locks in
// /proc/locks, then the lock files that serial programs leave under /var/lock.
class PortHolder {
public:
    // The device a lock is on, as /proc/locks names it.
    struct DeviceId {
        uint32_t major = 0;
        uint32_t minor = 0;
        uint64_t inode = 0;
    };

    static std::optional<PortHolder> Find(const QString& systemPath);
    // The running process that a lock file names as the port's holder.
    static std::optional<int64_t> LockFileHolder(const QString& systemPath);

    // Why a port in use is refused, in words for the user; the holder is named when known.
    static QString InUseText(const std::optional<PortHolder>& holder);

    // The process holding a lock on the device, from the text of /proc/locks.
    static std::optional<int64_t> PidFromLocks(const QByteArray& locks, const DeviceId& device);
    // The process named in a port lock file: its first line, as Qt and the UUCP convention write
    // it.
    static std::optional<int64_t> PidFromLockFile(const QByteArray& text);
    // The lock files that name this port: for the path given and for the device it leads to.
    static QStringList LockFiles(const QString& systemPath);

    int64_t Pid() const { return pid_; }
    QString Program() const { return program_; }

private:
    explicit PortHolder(int64_t pid);

    int64_t pid_;
    QString program_;  // empty when the system does not tell
};

}  // namespace zerandi
