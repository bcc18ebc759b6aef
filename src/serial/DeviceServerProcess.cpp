#include "serial/DeviceServerProcess.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTcpServer>
#include <QThread>

namespace zerandi {

namespace {

constexpr int kStartLimitMs = 10000;
constexpr int kPollMs = 50;
constexpr int kListenState = 0x0A;
constexpr int kStopLimitMs = 5000;
const QString kLoopback = QStringLiteral("127.0.0.1");

// A loopback port nobody listens on right now.
uint16_t FreePort() {
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost, 0) ? probe.serverPort() : 0;
}

// True when /proc/net/tcp shows a socket listening on this loopback port.
bool IsListening(uint16_t port) {
    QFile table(QStringLiteral("/proc/net/tcp"));
    if (!table.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QString local =
        QStringLiteral("0100007F:%1").arg(port, 4, 16, QLatin1Char('0')).toUpper();
    for (const QByteArray& line : table.readAll().split('\n')) {
        const QStringList fields = QString::fromLatin1(line).simplified().split(QLatin1Char(' '));
        if (fields.size() > 3 && fields[1] == local &&
            fields[3].toInt(nullptr, 16) == kListenState) {
            return true;
        }
    }
    return false;
}

}  // namespace

DeviceServerProcess::~DeviceServerProcess() {
    Stop();
}

QString DeviceServerProcess::ProgramPath() {
    return QStandardPaths::findExecutable(
        QStringLiteral("ser2net"),
        {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/bin"), QStringLiteral("/sbin")});
}

bool DeviceServerProcess::Start(const QString& devicePath, NetworkAddress::Mode mode) {
    const QString scheme = mode == NetworkAddress::Mode::Raw ? "tcp" : "rfc2217";
    const auto address =
        NetworkAddress::Parse(QStringLiteral("%1://%2:%3").arg(scheme, kLoopback).arg(FreePort()));
    const QString configuration = dir_.filePath(QStringLiteral("ser2net.yaml"));
    if (!address) {
        failure_ = QStringLiteral("no free loopback port");
        return false;
    }
    address_ = *address;
    if (!WriteConfiguration(configuration, devicePath)) {
        failure_ = QStringLiteral("cannot write %1").arg(configuration);
        return false;
    }
    process_.setProcessChannelMode(QProcess::MergedChannels);
    process_.start(ProgramPath(), {QStringLiteral("-n"), QStringLiteral("-d"), QStringLiteral("-c"),
                                   configuration});
    return AwaitAccepting();
}

bool DeviceServerProcess::WriteConfiguration(const QString& path, const QString& devicePath) const {
    const QString accepter = address_.LineMode() == NetworkAddress::Mode::Raw
                                 ? QStringLiteral("tcp,%1,%2")
                                 : QStringLiteral("telnet(rfc2217),tcp,%1,%2");
    const QString text = QStringLiteral(
                             "connection: &line\n"
                             "  accepter: %1\n"
                             "  connector: serialdev,%2,9600n81,local\n")
                             .arg(accepter.arg(kLoopback).arg(address_.Port()), devicePath);
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) == text.toUtf8().size();
}

// Watches the system's socket table rather than connecting: a connection would make the
// server open the device, and it lets the device go only some time after the close.
bool DeviceServerProcess::AwaitAccepting() {
    const QDeadlineTimer deadline(kStartLimitMs);
    while (!deadline.hasExpired() && process_.state() != QProcess::NotRunning) {
        if (IsListening(address_.Port())) {
            return true;
        }
        QThread::msleep(kPollMs);
    }
    failure_ = QStringLiteral("ser2net did not accept connections: %1")
                   .arg(QString::fromLocal8Bit(process_.readAll()));
    return false;
}

void DeviceServerProcess::Stop() {
    if (process_.state() == QProcess::NotRunning) {
        return;
    }
    process_.terminate();
    if (!process_.waitForFinished(kStopLimitMs)) {
        process_.kill();
        process_.waitForFinished();
    }
}

}  // namespace zerandi
