#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include "serial/NetworkAddress.h"

namespace zerandi {

// A real serial device server (ser2net) on a free loopback port in front of a serial device,
// in raw or RFC 2217 mode, for as long as the object lives. For the tests and the benchmarks
// that put one in front of the simulated router; the programs never start one.
class DeviceServerProcess {
public:
    ~DeviceServerProcess();

    // The program's path, or empty where it is not installed.
    static QString ProgramPath();
    // Starts the server in front of the device at 9600 8N1 and waits until it accepts
    // connections; false (with Failure() saying why) otherwise.
    bool Start(const QString& devicePath, NetworkAddress::Mode mode);
    // Ends the server as an administrator would; its connections close.
    void Stop();
    NetworkAddress Address() const { return address_; }
    QString Failure() const { return failure_; }

private:
    bool WriteConfiguration(const QString& path, const QString& devicePath) const;
    bool AwaitAccepting();

    QTemporaryDir dir_;
    QProcess process_;
    NetworkAddress address_;
    QString failure_;
};

}  // namespace zerandi
