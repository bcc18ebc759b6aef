#include <gtest/gtest.h>

#include <vector>

#include "protocol/FacadeFixture.h"
#include "support/WireCodes.h"

namespace zerandi::test {
namespace {

using Kind = zsim::SimFault::Kind;

class TransactionPtyTest : public FacadeFixture {
protected:
    CommResult ReadProductId() {
        uint8_t maker = 0;
        return protocol.GetProductId(address, maker, productId);
    }
    uint8_t productId = 0;
};

TEST_F(TransactionPtyTest, SilenceTimesOutWithoutARecoveryPause) {
    InjectFault({.kind = Kind::Silence, .command = kGetProductId});
    EXPECT_EQ(ReadProductId(), CommResult::Timeout);
    EXPECT_TRUE(clock.Sleeps().empty());
    EXPECT_EQ(Requests().size(), 1u);
}

TEST_F(TransactionPtyTest, ABusyRouterIsAskedFourTimesWithRecoveryAndRetryPauses) {
    InjectFault({.kind = Kind::Busy, .command = kTake, .times = 4});
    EXPECT_EQ(protocol.Take(address, 3, 5), CommResult::Busy);
    const std::vector<uint32_t> pauses = {596, 100, 596, 100, 596, 100, 596};
    EXPECT_EQ(clock.Sleeps(), pauses);
    const auto requests = Requests();
    ASSERT_EQ(requests.size(), 4u);
    for (const auto& request : requests) {
        EXPECT_EQ(request, requests.front());
    }
    EXPECT_NE(simulator.Router().Snapshot().crosspoints[4], 3);
}

TEST_F(TransactionPtyTest, ARouterBusyThreeTimesTakesTheFourthRequest) {
    InjectFault({.kind = Kind::Busy, .command = kTake, .times = 3});
    EXPECT_EQ(protocol.Take(address, 3, 5), CommResult::Success);
    EXPECT_EQ(Requests().size(), 4u);
    EXPECT_EQ(simulator.Router().Snapshot().crosspoints[4], 3);
}

TEST_F(TransactionPtyTest, EachRefusalGivesItsResultAfterOneRecoveryPause) {
    struct Case {
        Kind kind;
        int code;
        CommResult result;
    };
    const std::vector<Case> cases = {
        {Kind::Refuse, 0, CommResult::UndefinedError},
        {Kind::Refuse, 1, CommResult::InvalidData},
        {Kind::Refuse, 2, CommResult::CannotExecute},
        {Kind::Refuse, 3, CommResult::RouterChecksumError},
        {Kind::Refuse, 4, CommResult::UnknownCommand},
        {Kind::Refuse, 5, CommResult::CommPortOverrun},
        {Kind::Refuse, 6, CommResult::CountError},
        {Kind::Refuse, 7, CommResult::UnmappedError},
        {Kind::Refuse, 8, CommResult::ParityError},
        {Kind::Refuse, 9, CommResult::NotSupported},
        {Kind::Refuse, 11, CommResult::UndefinedError},
        {Kind::Refuse, 255, CommResult::UndefinedError},
        {Kind::SequenceError, 0, CommResult::SequenceError},
        {Kind::AsciiError, 0, CommResult::AsciiErrorMessage},
    };
    for (const Case& c : cases) {
        ClearRecords();
        InjectFault({.kind = c.kind, .param = c.code, .command = kGetProductId});
        EXPECT_EQ(ReadProductId(), c.result) << "code " << c.code;
        EXPECT_EQ(clock.Sleeps(), std::vector<uint32_t>{kRecoveryMs}) << "code " << c.code;
        EXPECT_EQ(Requests().size(), 1u) << "code " << c.code;
    }
}

TEST_F(TransactionPtyTest, BadRepliesFailWithTheirResultAndLeaveTheLineClean) {
    struct Case {
        Kind kind;
        int param;
        CommResult result;
    };
    const std::vector<Case> cases = {
        {Kind::WrongStartByte, 0, CommResult::WrongStartByte},
        {Kind::OversizeLength, 242, CommResult::ReplyTooLarge},
        {Kind::OversizeLength, 255, CommResult::InvalidSize},
        {Kind::CorruptDataByte, 0, CommResult::BadChecksum},
        {Kind::CorruptChecksum, 0, CommResult::BadChecksum},
        {Kind::TruncatedBody, 1, CommResult::BadChecksum},
    };
    for (const Case& c : cases) {
        ClearRecords();
        InjectFault({.kind = c.kind, .param = c.param, .command = kGetProductId});
        EXPECT_EQ(ReadProductId(), c.result) << static_cast<int>(c.kind) << "/" << c.param;
        EXPECT_EQ(clock.Sleeps(), std::vector<uint32_t>{kRecoveryMs})
            << static_cast<int>(c.kind) << "/" << c.param;

        productId = 0;
        EXPECT_EQ(ReadProductId(), CommResult::Success) << "after " << static_cast<int>(c.kind);
        EXPECT_EQ(productId, 64);
    }
}

TEST_F(TransactionPtyTest, UnexpectedRepliesAndTextAreSkipped) {
    InjectFault({.kind = Kind::UnexpectedReply, .command = kGetProductId});
    InjectFault({.kind = Kind::UnsolicitedText, .command = kGetProductId, .text = "hello\r"});
    EXPECT_EQ(ReadProductId(), CommResult::Success);
    EXPECT_EQ(productId, 64);
    EXPECT_TRUE(clock.Sleeps().empty());
}

TEST_F(TransactionPtyTest, AClosedLinkFailsAtSendingWithoutPauses) {
    protocol.Close();
    EXPECT_EQ(ReadProductId(), CommResult::TransmitFailure);
    EXPECT_EQ(protocol.Take(address, 1, 1), CommResult::TransmitFailure);
    EXPECT_TRUE(clock.Sleeps().empty());
    EXPECT_TRUE(Requests().empty());
}

TEST_F(TransactionPtyTest, ADeviceThatDisappearsMidReplyFailsAtOnceAndCanBeReplaced) {
    for (const int bytesBeforeClosing : {0, 3, 9}) {
        StartRouter(zsim::SimRouter::kDefaultModel);
        InjectFault({.kind = Kind::Disappear, .param = bytesBeforeClosing, .command = kTake});
        // A failed read, not a time-out: the link saw the device go instead of waiting.
        EXPECT_EQ(protocol.Take(address, 3, 5), CommResult::ReadFailed) << bytesBeforeClosing;
        EXPECT_FALSE(protocol.IsOpen()) << bytesBeforeClosing;
        EXPECT_TRUE(clock.Sleeps().empty()) << bytesBeforeClosing;
        EXPECT_EQ(protocol.Take(address, 3, 5), CommResult::TransmitFailure);
    }
    StartRouter(zsim::SimRouter::kDefaultModel);
    EXPECT_EQ(ReadProductId(), CommResult::Success);
    EXPECT_EQ(productId, 64);
}

}  // namespace
}  // namespace zerandi::test
