#include <gtest/gtest.h>

#include <vector>

#include "protocol/ReplyReader.h"
#include "protocol/RouterMessage.h"
#include "protocol/TestFrames.h"

namespace zerandi::test {
namespace {

struct FrameCase {
    uint8_t command;
    std::vector<uint8_t> data;
    std::vector<uint8_t> frame;
};

TEST(RouterMessageTest, BuildsRequestsWithTheirChecksum) {
    const std::vector<FrameCase> cases = {
        {0x10, {}, {0xFF, 0xFC, 0xFC, 0xFD, 0xFD, 0x01, 0x10, 0x03}},
        {0x06, {0x01}, {0xFF, 0xFC, 0xFC, 0xFD, 0xFD, 0x02, 0x06, 0x01, 0xFB}},
        {0x49,
         {0x00, 0x00, 0x0C, 0x00, 0x07},
         {0xFF, 0xFC, 0xFC, 0xFD, 0xFD, 0x06, 0x49, 0x00, 0x00, 0x0C, 0x00, 0x07, 0x54}},
    };
    for (const FrameCase& c : cases) {
        RouterMessage request(RouterAddress{}, c.command);
        ASSERT_TRUE(request.Append(c.data));
        request.SetChecksum();
        EXPECT_EQ(FrameBytes(request), c.frame) << "command " << int(c.command);
        EXPECT_TRUE(request.ChecksumOk());
    }
}

TEST(RouterMessageTest, AppendStopsAtTheLargestFrame) {
    RouterMessage request(RouterAddress{}, 0x41);
    const std::vector<uint8_t> data(RouterMessage::kMaxLength - 1, 0x5A);
    ASSERT_TRUE(request.Append(data));
    EXPECT_EQ(request.Length(), RouterMessage::kMaxLength);
    const RouterMessage full = request;

    EXPECT_FALSE(request.Append(0x01));
    EXPECT_FALSE(request.AppendWord(0x0102));
    EXPECT_EQ(request, full);

    request.SetChecksum();
    EXPECT_EQ(request.FrameSize(), RouterMessage::kCapacity);
    EXPECT_TRUE(request.ChecksumOk());
}

TEST(RouterMessageTest, AppendOfTooManyBytesAppendsNone) {
    RouterMessage request(RouterAddress{}, 0x41);
    const std::vector<uint8_t> tooMany(RouterMessage::kMaxLength, 0x5A);
    EXPECT_FALSE(request.Append(tooMany));
    EXPECT_EQ(request.Length(), 1);
}

TEST(RouterMessageTest, ChecksumOkRejectsDamageAndImpossibleLengths) {
    RouterMessage reply = ReplyFrame(0x90, {0x00, 0x3C});
    ASSERT_TRUE(reply.ChecksumOk());

    RouterMessage damaged = reply;
    damaged.Buffer()[8] ^= 0x01;
    EXPECT_FALSE(damaged.ChecksumOk());

    for (const uint8_t length : {242, 250, 255}) {
        RouterMessage oversized = reply;
        oversized.Buffer()[RouterMessage::kLengthOffset] = length;
        EXPECT_FALSE(oversized.ChecksumOk()) << int(length);
    }
}

TEST(RouterMessageTest, RefusalCommands) {
    const std::vector<std::pair<uint8_t, bool>> cases = {
        {0x80, true},  {0x81, true},  {0x8F, true},  {0x04, false},
        {0x90, false}, {0x82, false}, {0x7E, false},
    };
    for (const auto& [command, refusal] : cases) {
        EXPECT_EQ(ReplyFrame(command, {}).IsRefusal(), refusal) << int(command);
    }
}

TEST(ReplyReaderTest, ReadsOnlyTheBytesTheLengthByteCovers) {
    RouterMessage reply = ReplyFrame(0xC4, {0x11, 0x22, 0x33});
    PoisonBeyondFrame(reply, 0xEE);
    ReplyReader reader(reply);

    EXPECT_EQ(reader.End(), 10u);
    EXPECT_EQ(reader.Byte(9), 0x33);
    EXPECT_EQ(reader.Word(7), 0x1122);
    EXPECT_TRUE(reader.Ok());

    EXPECT_EQ(reader.Byte(10), 0);  // the checksum
    EXPECT_FALSE(reader.Ok());
}

TEST(ReplyReaderTest, AWordAcrossTheEndFails) {
    const RouterMessage reply = ReplyFrame(0xC4, {0x11, 0x22, 0x33});
    ReplyReader reader(reply);
    EXPECT_EQ(reader.Word(9), 0);
    EXPECT_FALSE(reader.Ok());
    EXPECT_TRUE(reader.Has(7, 3));
    EXPECT_FALSE(reader.Has(7, 4));
    EXPECT_FALSE(reader.Has(200, 0));
}

TEST(ReplyReaderTest, AnUnvalidatedLengthByteStillStaysInsideTheBuffer) {
    RouterMessage reply;
    reply.Buffer()[RouterMessage::kLengthOffset] = 255;
    ReplyReader reader(reply);
    EXPECT_LT(reader.End(), RouterMessage::kCapacity);
    reader.Byte(RouterMessage::kCapacity - 1);
    EXPECT_FALSE(reader.Ok());
}

}  // namespace
}  // namespace zerandi::test
