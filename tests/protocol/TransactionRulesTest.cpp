#include <gtest/gtest.h>

#include <vector>

#include "protocol/CommResult.h"
#include "protocol/RouterProtocol.h"
#include "protocol/TestFrames.h"

namespace zerandi::test {
namespace {

TEST(CommResultTest, EveryLinkStatusHasItsTransactionResult) {
    const std::vector<std::pair<int, int>> cases = {
        {0, 0},   {1, 1},   {2, 2},   {3, 3},  {4, 4},  {5, 5},   {6, 6},   {7, 7},
        {8, 4},   {9, 4},   {10, 26}, {11, 8}, {12, 9}, {20, 17}, {27, 24}, {28, 1},
        {29, 25}, {30, 27}, {31, 28}, {32, 6}, {33, 1}, {-1, 1},  {255, 1},
    };
    for (const auto& [link, comm] : cases) {
        EXPECT_EQ(static_cast<int>(CommResultFromLinkStatus(static_cast<LinkStatus>(link))), comm)
            << "link status " << link;
    }
}

TEST(ClassifyReplyTest, RefusalsMapToTheirResults) {
    struct Case {
        uint8_t command;
        std::vector<uint8_t> data;
        CommResult result;
    };
    const std::vector<Case> cases = {
        {0x80, {0}, CommResult::UndefinedError},
        {0x80, {1}, CommResult::InvalidData},
        {0x80, {2}, CommResult::CannotExecute},
        {0x80, {3}, CommResult::RouterChecksumError},
        {0x80, {4}, CommResult::UnknownCommand},
        {0x80, {5}, CommResult::CommPortOverrun},
        {0x80, {6}, CommResult::CountError},
        {0x80, {7}, CommResult::UnmappedError},
        {0x80, {8}, CommResult::ParityError},
        {0x80, {9}, CommResult::NotSupported},
        {0x80, {10}, CommResult::Busy},
        {0x80, {11}, CommResult::UndefinedError},
        {0x80, {255}, CommResult::UndefinedError},
        {0x81, {}, CommResult::SequenceError},
        {0x8F, {'b', 'a', 'd'}, CommResult::AsciiErrorMessage},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RouterProtocol::ClassifyReply(ReplyFrame(c.command, c.data)), c.result)
            << int(c.command) << " code " << (c.data.empty() ? -1 : c.data[0]);
    }
}

TEST(ClassifyReplyTest, ARefusalWithoutItsCodeIsUndefinedNotItsChecksum) {
    // Address bytes chosen so that the checksum, the byte after the command, is 10 (busy):
    // it must not be taken for an error code.
    const std::vector<uint8_t> bytes = {0xFF, 0x93, 0xFC, 0xFD, 0xFD, 0x01, 0x80, 0x0A};
    const RouterMessage refusal = RouterMessage::FromBytes(bytes);
    ASSERT_TRUE(refusal.ChecksumOk());
    EXPECT_EQ(RouterProtocol::ClassifyReply(refusal), CommResult::UndefinedError);
}

TEST(RecoveryPauseTest, DependsOnTheBaudRate) {
    const std::vector<std::pair<uint32_t, uint32_t>> cases = {
        {9600, 596}, {19200, 348}, {38400, 224}, {57600, 182}, {115200, 141}, {0, 100},
    };
    for (const auto& [baud, pause] : cases) {
        EXPECT_EQ(RouterProtocol::RecoveryPauseMs(baud), pause) << baud;
    }
}

}  // namespace
}  // namespace zerandi::test
