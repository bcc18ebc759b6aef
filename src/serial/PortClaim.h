#pragma once

#include <QString>

namespace zerandi {

// Keeps two programs off one serial port. Qt's lock file only stops programs that look for
// it under the same name (a /dev/serial/by-id link and its ttyUSB device have two), Qt takes
// a lock file in the older one-line form for a stale one, and its exclusive mode does not
// stop root. The claim is an advisory lock on the device itself, taken through a descriptor
// of its own, plus a look at the lock files, all before the port is opened for use: a port
// found in use is refused without its line settings being touched.
class PortClaim {
public:
    enum class Outcome {
        Claimed,
        InUse,
        Unchecked,  // the device could not be opened for the check; the open reports why
    };

    PortClaim() = default;
    ~PortClaim();
    PortClaim(const PortClaim&) = delete;
    PortClaim& operator=(const PortClaim&) = delete;

    Outcome Take(const QString& systemPath);
    void Release();

private:
    int descriptor_ = -1;
};

}  // namespace zerandi
