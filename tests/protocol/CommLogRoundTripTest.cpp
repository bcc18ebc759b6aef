#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <vector>

#include "TestFrames.h"
#include "protocol/CommLogDecoder.h"
#include "protocol/RouterCommands.h"
#include "serial/CommLog.h"
#include "serial/CommLogReader.h"
#include "services/FormatNowText.h"
#include "support/QtPrinters.h"

namespace zerandi::test {
namespace {

using Direction = comm_log::Direction;

struct LoggedFrame {
    bool timeMarkBefore;
    Direction direction;
    std::vector<uint8_t> bytes;
    QString time;
    QString directionText;
    QString command;
    bool complete;
};

std::vector<uint8_t> TakeRequest() {
    return FrameBytes(ReplyFrame(command::kTake, {command::kSubTake, 0, 12, 0, 7}));
}

// A reply long enough to go on the log's continuation line.
std::vector<uint8_t> SoftwareVersionsReply() {
    return FrameBytes(ReplyFrame(command::ReplyTo(command::kGetSoftwareVersions),
                                 std::vector<uint8_t>(20, 0x31)));
}

std::vector<uint8_t> FirstBytes(std::vector<uint8_t> bytes, size_t count) {
    bytes.resize(count);
    return bytes;
}

TEST(CommLogRoundTripTest, WhatTheLogWritesTheReaderAndDecoderGiveBack) {
    const QDateTime start(QDate(2026, 12, 7), QTime(9, 2, 31));
    int clockTicks = 0;
    CommLog log([&] { return FormatTimeText(start.addSecs(clockTicks++)); });
    const QString started = FormatTimeText(start);
    const QString marked = FormatTimeText(start.addSecs(1));
    const std::vector<LoggedFrame> frames{
        {false, Direction::Sent, TakeRequest(), started, "sent", "Take", true},
        // The router stayed silent: the request goes again after a time mark.
        {true, Direction::Sent, TakeRequest(), marked, "sent", "Take", true},
        {false, Direction::Received, SoftwareVersionsReply(), marked, "received",
         "reply to Get Software Versions", true},
        {false, Direction::Received, FirstBytes(SoftwareVersionsReply(), 9), marked, "received",
         "reply to Get Software Versions", false},
        {false, Direction::FailedToSend, TakeRequest(), marked, "not sent", "Take", true},
        {false, Direction::FailedToSend, {}, marked, "not sent", "incomplete frame", false},
    };

    QTemporaryDir dir;
    const QString path = dir.filePath("comm.log");
    ASSERT_TRUE(log.Open(path));
    log.LogPortOpened("/dev/ttyUSB0");
    for (const LoggedFrame& frame : frames) {
        if (frame.timeMarkBefore) {
            log.LogTimestamp();
        }
        log.LogFrame(frame.direction, frame.bytes);
    }
    log.LogPortClosed("/dev/ttyUSB0");
    log.Close();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    const QString text = QString::fromLatin1(file.readAll());  // as decode-log reads it

    const std::vector<CommLogFrame> read = CommLogReader::ReadFrames(text);
    const std::vector<DecodedFrame> decoded = DecodeCommLog(text);
    ASSERT_EQ(read.size(), frames.size());
    ASSERT_EQ(decoded.size(), frames.size());
    for (size_t i = 0; i < frames.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(read[i].direction, frames[i].direction);
        EXPECT_EQ(read[i].bytes, frames[i].bytes);
        EXPECT_EQ(read[i].time, frames[i].time);
        EXPECT_EQ(decoded[i].direction, frames[i].directionText);
        EXPECT_EQ(decoded[i].time, frames[i].time);
        EXPECT_EQ(decoded[i].command, frames[i].command);
        EXPECT_EQ(decoded[i].complete, frames[i].complete);
        EXPECT_EQ(decoded[i].checksumOk, frames[i].complete);
    }
}

}  // namespace
}  // namespace zerandi::test
