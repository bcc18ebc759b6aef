#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <numeric>
#include <vector>

#include "serial/CommLog.h"
#include "serial/CommLogReader.h"

namespace zerandi {
namespace {

const QString kNow = "Mon Dec  7 13:02:31 2026";

class CommLogTest : public ::testing::Test {
protected:
    QString Path() const { return dir_.filePath("comm.log"); }
    QByteArray Contents() const {
        QFile file(Path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }

    QTemporaryDir dir_;
    CommLog log_{[] { return kNow; }};
};

std::vector<uint8_t> CountingBytes(size_t count) {
    std::vector<uint8_t> bytes(count);
    std::iota(bytes.begin(), bytes.end(), uint8_t{0});
    return bytes;
}

TEST_F(CommLogTest, OnAndOffWithoutTrafficGivesFiveLines) {
    ASSERT_TRUE(log_.Open(Path()));
    EXPECT_TRUE(log_.IsOpen());
    log_.Close();
    EXPECT_FALSE(log_.IsOpen());
    EXPECT_EQ(Contents(),
              "Log file started: Mon Dec  7 13:02:31 2026\n"
              "\n"
              "\n"
              "Log File closed: Mon Dec  7 13:02:31 2026\n"
              "\n");
}

TEST_F(CommLogTest, FramesAreLabelledAndWrappedAfterTwentyBytes) {
    struct Case {
        CommLog::Direction direction;
        std::vector<uint8_t> bytes;
        QByteArray text;
    };
    const QByteArray first20 = "00 01 02 03 04 05 06 07 08 09 0a 0b 0c 0d 0e 0f 10 11 12 13 ";
    const QByteArray indent(16, ' ');
    const Case cases[] = {
        {CommLog::Direction::Sent,
         {0xff, 0xfc, 0xfc, 0xfd, 0xfd, 0x01, 0x10, 0x03},
         "Sent          : ff fc fc fd fd 01 10 03 \n"},
        {CommLog::Direction::Received, CountingBytes(25),
         "Received      : " + first20 + "\n" + indent + "14 15 16 17 18 \n"},
        {CommLog::Direction::Received, CountingBytes(20), "Received      : " + first20 + "\n"},
        {CommLog::Direction::FailedToSend, CountingBytes(41),
         "Failed to Send: " + first20 + "\n" + indent +
             "14 15 16 17 18 19 1a 1b 1c 1d 1e 1f 20 21 22 23 24 25 26 27 \n" + indent + "28 \n"},
        {CommLog::Direction::Sent, {}, "Sent          : \n"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(log_.Open(Path()));
        const qsizetype start = Contents().size();
        log_.LogFrame(c.direction, c.bytes);
        EXPECT_EQ(Contents().mid(start), c.text);
    }
}

TEST_F(CommLogTest, PortEventsAndTimeMarks) {
    ASSERT_TRUE(log_.Open(Path()));
    log_.LogPortOpened("COMM3");
    log_.LogTimestamp();
    log_.LogPortClosed("COMM3");
    log_.LogPortOpened("/dev/ttyUSB0");
    log_.LogLowLatency("on");
    log_.Close();
    EXPECT_EQ(Contents(),
              "Log file started: Mon Dec  7 13:02:31 2026\n\n"
              "Opened port: COMM3\n"
              "Mon Dec  7 13:02:31 2026\n"
              "Closed port: COMM3\n"
              "Opened port: /dev/ttyUSB0\n"
              "Low latency: on\n"
              "\nLog File closed: Mon Dec  7 13:02:31 2026\n\n");
}

// The low-latency line is no frame: the reader skips it, also right after a wrapped frame.
TEST_F(CommLogTest, TheReaderSkipsTheLowLatencyLine) {
    ASSERT_TRUE(log_.Open(Path()));
    log_.LogPortOpened("/dev/pts/3");
    log_.LogLowLatency("not available on this device; it is used as it is");
    log_.LogFrame(CommLog::Direction::Sent, CountingBytes(25));
    log_.LogLowLatency("on, latency timer 1 ms (was 16 ms)");
    log_.LogFrame(CommLog::Direction::Received, CountingBytes(3));
    log_.Close();

    const std::vector<CommLogFrame> frames =
        CommLogReader::ReadFrames(QString::fromUtf8(Contents()));
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].direction, CommLog::Direction::Sent);
    EXPECT_EQ(frames[0].bytes, CountingBytes(25));
    EXPECT_EQ(frames[1].direction, CommLog::Direction::Received);
    EXPECT_EQ(frames[1].bytes, CountingBytes(3));
}

TEST_F(CommLogTest, NothingIsWrittenWhileClosed) {
    ASSERT_TRUE(log_.Open(Path()));
    log_.Close();
    const QByteArray closed = Contents();
    log_.LogFrame(CommLog::Direction::Sent, CountingBytes(3));
    log_.LogTimestamp();
    log_.LogPortOpened("COMM1");
    log_.Close();
    EXPECT_EQ(Contents(), closed);
}

TEST_F(CommLogTest, OpeningAgainClosesTheOldFileAndTruncatesTheNew) {
    const QString other = dir_.filePath("other.log");
    {
        QFile stale(other);
        ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
        stale.write("stale text that must go\n");
    }
    ASSERT_TRUE(log_.Open(Path()));
    ASSERT_TRUE(log_.Open(other));
    log_.Close();
    EXPECT_TRUE(Contents().endsWith("Log File closed: Mon Dec  7 13:02:31 2026\n\n"));
    QFile reopened(other);
    ASSERT_TRUE(reopened.open(QIODevice::ReadOnly));
    EXPECT_TRUE(reopened.readAll().startsWith("Log file started: "));
}

TEST_F(CommLogTest, UncreatableFileLeavesLoggingOff) {
    EXPECT_FALSE(log_.Open(dir_.filePath("no-such-folder/comm.log")));
    EXPECT_FALSE(log_.IsOpen());
}

}  // namespace
}  // namespace zerandi
