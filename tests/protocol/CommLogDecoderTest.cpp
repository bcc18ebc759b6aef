#include "protocol/CommLogDecoder.h"

#include <gtest/gtest.h>

#include "support/QtPrinters.h"

namespace zerandi::test {
namespace {

struct LogFrameCase {
    QString logLine;
    QString direction;
    QString command;
    int subCommand;
    QString fields;
    bool checksumOk;
    bool complete;
};

TEST(CommLogDecoderTest, NamesEachFrameAndDecodesItsFields) {
    const std::vector<LogFrameCase> cases{
        {"Sent          : ff fc fc fd fd 06 49 00 00 0c 00 07 54 ", "sent", "Take", 0,
         "take, source 12, destination 7", true, true},
        {"Received      : ff fc fc fd fd 06 c9 01 f3 f3 00 02 aa ", "received", "reply to Take", -1,
         "monitor, source 62451, destination 2", true, true},
        {"Received      : ff fc fc fd fd 02 80 0a 7e ", "received", "refusal", -1,
         "code 10: Error Message Received: \"Busy\"", true, true},
        {"Received      : ff fc fc fd fd 02 90 00 00 ", "received", "reply to Get Product Id", -1,
         "", false, true},
        {"Received      : ff fc fc fd fd 05 90 00 ", "received", "reply to Get Product Id", -1, "",
         false, false},
        {"Failed to Send: ff fc fc fd fd 01 10 03 ", "not sent", "Get Product Id", -1, "", true,
         true},
        {"Sent          : ff fc fc fd fd 04 7e 4f 4b 00 0e ", "sent", "Text Message", -1, "\"OK\"",
         true, true},
    };
    for (const LogFrameCase& c : cases) {
        SCOPED_TRACE(c.logLine.toStdString());
        const std::vector<DecodedFrame> frames = DecodeCommLog(c.logLine);
        ASSERT_EQ(frames.size(), 1U);
        const DecodedFrame& frame = frames.front();
        EXPECT_EQ(frame.direction, c.direction);
        EXPECT_EQ(frame.command, c.command);
        EXPECT_EQ(frame.subCommand, c.subCommand);
        EXPECT_EQ(frame.fields, c.fields);
        EXPECT_EQ(frame.checksumOk, c.checksumOk);
        EXPECT_EQ(frame.complete, c.complete);
    }
}

TEST(CommLogDecoderTest, AFrameContinuesOnIndentedLinesAndTakesTheLastTimeWritten) {
    QString log = "Log file started: Mon Dec  7 13:02:31 2026\n\nOpened port: COMM1\n";
    log += "Sent          : ff fc fc fd fd 06 49 00 00 0c 00 07 54 \n";
    log += "Mon Dec  7 13:05:00 2026\n";
    log +=
        "Received      : ff fc fc fd fd 16 95 00 00 00 01 02 03 04 05 06 07 08 09 0a 0b 0c 0d \n";
    log += "                0e 0f 10 11 12 13 14 00 \n";
    log += "Closed port: COMM1\n";
    const std::vector<DecodedFrame> frames = DecodeCommLog(log);
    ASSERT_EQ(frames.size(), 2U);
    EXPECT_EQ(frames[0].time, "Mon Dec  7 13:02:31 2026");
    EXPECT_EQ(frames[1].time, "Mon Dec  7 13:05:00 2026");
    EXPECT_EQ(frames[1].command, "reply to Get Software Versions");
    EXPECT_TRUE(frames[1].complete);
}

}  // namespace
}  // namespace zerandi::test
