#include <fcntl.h>
#include <gtest/gtest.h>
#include <termios.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>
#include <array>
#include <utility>

#include "cli/CliRun.h"
#include "serial/DeviceServerProcess.h"
#include "support/SimulatedRouter.h"

namespace zerandi::test {
namespace {

using Mode = NetworkAddress::Mode;

constexpr std::array<std::pair<const char*, Mode>, 2> kForms = {{
    {"tcp", Mode::Raw},
    {"rfc2217", Mode::Rfc2217},
}};
// A dropped line is noticed by the next poll; this bounds the poll, the reply window and the
// retries with room for a busy machine.
constexpr int kWatchEndLimitMs = 8000;
constexpr int kWatchFirstReportLimitMs = 10000;
// How long a program holds the line while the far port's speed is looked at, and how often.
constexpr int kListenSeconds = 4;
constexpr unsigned long kSpeedPollMs = 20;

// The speed the simulator's side of the line is set to, as the device server set it.
uint32_t LineSpeedOf(const QString& devicePath) {
    constexpr std::array<std::pair<speed_t, uint32_t>, 5> kSpeeds{
        {{B9600, 9600}, {B19200, 19200}, {B38400, 38400}, {B57600, 57600}, {B115200, 115200}}};
    const int fd = open(devicePath.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    termios settings{};
    const bool read = fd >= 0 && tcgetattr(fd, &settings) == 0;
    if (fd >= 0) {
        close(fd);
    }
    for (const auto& [speed, baud] : kSpeeds) {
        if (read && cfgetospeed(&settings) == speed) {
            return baud;
        }
    }
    return 0;
}

class DeviceServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (DeviceServerProcess::ProgramPath().isEmpty()) {
            GTEST_SKIP() << "not run: ser2net is not installed (scripts/setup.sh installs it)";
        }
    }

    // A fresh router behind a fresh server: each form has the device to itself.
    void Serve(Mode mode) {
        ASSERT_TRUE(simulator_.Start());
        ASSERT_TRUE(server_.Start(simulator_.Port().DevicePath(), mode))
            << server_.Failure().toStdString();
    }
    CliRun Run(QStringList arguments) const {
        arguments.prepend(server_.Address().ToString());
        arguments.prepend(QStringLiteral("--port"));
        return RunCli(arguments);
    }

    SimulatedRouter simulator_;
    DeviceServerProcess server_;
};

TEST_F(DeviceServerTest, ReadAllAndATakeWorkThroughEachForm) {
    for (const auto& [scheme, mode] : kForms) {
        SCOPED_TRACE(scheme);
        Serve(mode);
        const CliRun config = Run({QStringLiteral("--json"), QStringLiteral("config")});
        ASSERT_EQ(config.exitCode, 0) << config.err.toStdString();
        EXPECT_TRUE(config.out.contains("QR1206")) << config.out.toStdString();

        const CliRun take = Run({QStringLiteral("take"), QStringLiteral("7"), QStringLiteral("2")});
        ASSERT_EQ(take.exitCode, 0) << take.err.toStdString();
        EXPECT_EQ(simulator_.SourceOn(2), 7);
        server_.Stop();
    }
}

TEST_F(DeviceServerTest, OnlyRfc2217CarriesTheBaudRateToTheFarPort) {
    struct Case {
        Mode mode;
        uint32_t baud;
        bool carried;
    };
    // The raw form leaves the port as the server set it (or as a new pseudo-terminal starts,
    // at 38400, until the server has set it): never at the rate asked for.
    const Case cases[] = {
        {Mode::Rfc2217, 19200, true},
        {Mode::Rfc2217, 115200, true},
        {Mode::Rfc2217, 9600, true},
        {Mode::Raw, 115200, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.baud);
        Serve(c.mode);
        // Looked at while the program holds the line: once it has gone, the server may put the
        // port back as its configuration has it.
        QProcess listening;
        listening.start(
            QStringLiteral(ZERANDI_CLI_PATH),
            {QStringLiteral("--port"), server_.Address().ToString(), QStringLiteral("--baud"),
             QString::number(c.baud), QStringLiteral("messages"), QStringLiteral("--seconds"),
             QString::number(kListenSeconds)});
        ASSERT_TRUE(listening.waitForStarted());
        const QDeadlineTimer deadline(kListenSeconds * 1000 / 2);
        bool carried = false;
        while (!carried && !deadline.hasExpired()) {
            QThread::msleep(kSpeedPollMs);
            carried = LineSpeedOf(simulator_.Port().DevicePath()) == c.baud;
        }
        EXPECT_EQ(carried, c.carried);
        ASSERT_TRUE(listening.waitForFinished(kListenSeconds * 1000 * 2));
        EXPECT_EQ(listening.exitCode(), 0) << listening.readAllStandardError().toStdString();
        server_.Stop();
    }
}

// The server going away mid-watch is an unplugged line: one report, exit 1, promptly.
TEST_F(DeviceServerTest, StoppingTheServerEndsAWatchWithOneMessage) {
    for (const auto& [scheme, mode] : kForms) {
        SCOPED_TRACE(scheme);
        Serve(mode);
        QProcess watch;
        watch.start(QStringLiteral(ZERANDI_CLI_PATH),
                    {QStringLiteral("--port"), server_.Address().ToString(),
                     QStringLiteral("status"), QStringLiteral("--watch"), QStringLiteral("1")});
        ASSERT_TRUE(watch.waitForReadyRead(kWatchFirstReportLimitMs)) << "no first report";

        QElapsedTimer sinceStop;
        sinceStop.start();
        server_.Stop();
        ASSERT_TRUE(watch.waitForFinished(kWatchEndLimitMs)) << "the watch went on";
        EXPECT_LT(sinceStop.elapsed(), kWatchEndLimitMs);
        EXPECT_EQ(watch.exitCode(), 1);
        const QByteArray errors = watch.readAllStandardError();
        EXPECT_EQ(errors.count("Unable to read router status data."), 1) << errors.toStdString();
        EXPECT_LE(errors.count('\n'), 2) << errors.toStdString();
    }
}

}  // namespace
}  // namespace zerandi::test
