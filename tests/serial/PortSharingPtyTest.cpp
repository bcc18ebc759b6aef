#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <array>
#include <memory>

#include "PtyPeer.h"
#include "serial/PortHolder.h"
#include "serial/QtSerialDevice.h"
#include "serial/SerialLink.h"
#include "support/FakeClock.h"

namespace zerandi {
namespace {

using test::Bytes;
using test::kReplyTimeoutMs;
using test::PtyPeer;

constexpr uint32_t kFirstBaud = 19200;
constexpr int kHolderStartMs = 5000;
const QString kHolderSeconds = QStringLiteral("30");

// Another program on the port: started, and stopped with the test.
class OtherProgram {
public:
    ~OtherProgram() {
        process_.kill();
        process_.waitForFinished();
    }
    bool Start(const QString& program, const QStringList& arguments) {
        process_.start(program, arguments);
        return process_.waitForStarted();
    }
    int64_t Pid() const { return process_.processId(); }

private:
    QProcess process_;
};

// Waits until the system names a holder of the port.
// True once `program` holds the port: flock(1) takes the lock before it runs the program
// that keeps it, so until then the holder may still be flock itself.
bool HeldWithin(const QString& path, const QString& program, int milliseconds) {
    const QDeadlineTimer deadline(milliseconds);
    for (auto holder = PortHolder::Find(path); !holder || holder->Program() != program;
         holder = PortHolder::Find(path)) {
        if (deadline.hasExpired()) {
            return false;
        }
        QThread::msleep(10);
    }
    return true;
}

class PortSharingPtyTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(first_.Open(PortChoice::Device(peer_.SlavePath()), kFirstBaud))
            << first_.LastOpenErrorText().toStdString();
    }

    // A request out and a reply back on the first opener's link.
    void ExpectFirstLinkWorks() {
        const Bytes request{0xff, 0xfc, 0xfc, 0xfd, 0xfd, 0x01, 0x10, 0x03};
        ASSERT_TRUE(first_.Send(request));
        EXPECT_EQ(peer_.Read(request.size(), kReplyTimeoutMs), request);
        const Bytes reply{0xff, 0xfc, 0xfc, 0xfd, 0xfd, 0x01, 0x40, 0x41};
        peer_.Write(reply);
        std::array<uint8_t, 32> buffer{};
        ASSERT_EQ(first_.ReceiveMessage(buffer, kReplyTimeoutMs), LinkStatus::Received);
        EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + reply.size()), reply);
    }
    speed_t SlaveSpeed() const {
        const termios tty = peer_.SlaveSettings();
        return cfgetospeed(&tty);
    }

    test::FakeClock clock_;
    PtyPeer peer_;
    SerialLink first_{std::make_unique<QtSerialDevice>(), clock_};
};

// A second opener is refused before it touches the line: the first keeps its baud rate,
// its bytes and its replies, and the port is free again once the first closes it.
TEST_F(PortSharingPtyTest, ASecondOpenerInThisProgramIsRefusedAndTheFirstIsUntouched) {
    QtSerialDevice second;
    EXPECT_FALSE(second.open(peer_.SlavePath(), LineSettings{9600}));
    EXPECT_EQ(second.lastErrorText(),
              QStringLiteral("the port is already open in this program (process %1)")
                  .arg(QCoreApplication::applicationPid()));
    EXPECT_FALSE(second.isOpen());
    EXPECT_EQ(SlaveSpeed(), speed_t{B19200});
    ExpectFirstLinkWorks();

    first_.Close();
    EXPECT_TRUE(second.open(peer_.SlavePath(), LineSettings{9600}))
        << second.lastErrorText().toStdString();
}

// The holder is named from its lock on the device or, for a program that keeps only a lock
// file, from that file. The lock on the device is taken by flock(1), which then runs sleep.
TEST_F(PortSharingPtyTest, APortHeldByAnotherProgramIsRefusedNamingIt) {
    first_.Close();
    const QString path = peer_.SlavePath();
    const QString lockFile = PortHolder::LockFiles(path).first();
    struct Case {
        const char* name;
        QString program;
        QStringList arguments;
        QByteArray lockFileAfterPid;  // none when empty
        QString holderName;
    };
    const Case cases[] = {
        {"a lock on the device",
         "flock",
         {"--exclusive", "--no-fork", path, "sleep", kHolderSeconds},
         "",
         "sleep"},
        // A one-line lock file, as UUCP programs (terminal programs among them) write it.
        {"a lock file", "sleep", {kHolderSeconds}, "\n", "sleep"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OtherProgram holder;
        ASSERT_TRUE(holder.Start(c.program, c.arguments));
        QFile file(lockFile);
        if (!c.lockFileAfterPid.isEmpty()) {
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(QByteArray::number(holder.Pid()).rightJustified(10) + c.lockFileAfterPid);
            file.close();
        }
        ASSERT_TRUE(HeldWithin(path, c.holderName, kHolderStartMs));

        QtSerialDevice device;
        EXPECT_FALSE(device.open(path, LineSettings{}));
        EXPECT_EQ(device.lastErrorText().toStdString(),
                  QStringLiteral("the port is in use by another program (%1, process %2)")
                      .arg(c.holderName)
                      .arg(holder.Pid())
                      .toStdString());
        file.remove();
    }
}

}  // namespace
}  // namespace zerandi
