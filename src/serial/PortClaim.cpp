#include "serial/PortClaim.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QCoreApplication>

#include "serial/PortHolder.h"

namespace zerandi {

PortClaim::~PortClaim() {
    Release();
}

PortClaim::Outcome PortClaim::Take(const QString& systemPath) {
    Release();
    // Non-blocking, so that a port without carrier opens at once; no controlling terminal.
    const int descriptor =
        ::open(systemPath.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        // Another opener's exclusive mode refuses everyone but root.
        return errno == EBUSY ? Outcome::InUse : Outcome::Unchecked;
    }
    if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        ::close(descriptor);
        return held ? Outcome::InUse : Outcome::Unchecked;
    }
    descriptor_ = descriptor;
    const std::optional<int64_t> lockFileHolder = PortHolder::LockFileHolder(systemPath);
    if (lockFileHolder && *lockFileHolder != QCoreApplication::applicationPid()) {
        Release();
        return Outcome::InUse;
    }
    return Outcome::Claimed;
}

void PortClaim::Release() {
    if (descriptor_ >= 0) {
        ::close(descriptor_);
        descriptor_ = -1;
    }
}

}  // namespace zerandi
