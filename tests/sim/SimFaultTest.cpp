#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "SimTestFrames.h"
#include "sim/SimRouter.h"

namespace zsim {
namespace {

using test::Bytes;
using test::RequestFrame;
using test::SplitFrames;
using Kind = SimFault::Kind;

const Bytes kProductId = RequestFrame(0x10);
const Bytes kNormalProductIdReply{0xFF, 0xFC, 0xFC, 0xFD, 0xFD, 0x03, 0x90, 0x00, 0x40, 0xC5};

// What one faulty answer to the product-id request looks like on the wire.
struct FaultCase {
    std::string name;
    SimFault fault;
    std::function<void(const std::vector<WireAction>&)> check;
};

void ExpectSent(const std::vector<WireAction>& actions, const Bytes& bytes) {
    ASSERT_EQ(actions.size(), 1u);
    EXPECT_EQ(actions[0].kind, WireAction::Kind::Send);
    EXPECT_EQ(actions[0].bytes, bytes);
}

Bytes Refusal(uint8_t command, std::initializer_list<uint8_t> data) {
    Bytes frame{0xFF, 0xFC, 0xFC, 0xFD, 0xFD, static_cast<uint8_t>(data.size() + 1), command};
    frame.insert(frame.end(), data);
    unsigned sum = 0;
    for (size_t i = 1; i < frame.size(); ++i) {
        sum += frame[i];
    }
    frame.push_back(static_cast<uint8_t>(sum));
    return frame;
}

Bytes With(Bytes bytes, size_t index, uint8_t value) {
    bytes.at(index) = value;
    return bytes;
}

std::vector<FaultCase> FaultCases() {
    return {
        {"Busy", {.kind = Kind::Busy}, [](auto& a) { ExpectSent(a, Refusal(0x80, {10})); }},
        {"Refuse 0",
         {.kind = Kind::Refuse, .param = 0},
         [](auto& a) { ExpectSent(a, Refusal(0x80, {0})); }},
        {"Refuse 200",
         {.kind = Kind::Refuse, .param = 200},
         [](auto& a) { ExpectSent(a, Refusal(0x80, {200})); }},
        {"SequenceError",
         {.kind = Kind::SequenceError},
         [](auto& a) { ExpectSent(a, Refusal(0x81, {})); }},
        {"AsciiError",
         {.kind = Kind::AsciiError},
         [](auto& a) { ExpectSent(a, Refusal(0x8F, {})); }},
        {"CorruptChecksum",
         {.kind = Kind::CorruptChecksum},
         [](auto& a) { ExpectSent(a, With(kNormalProductIdReply, 9, 0xC6)); }},
        {"CorruptDataByte",
         {.kind = Kind::CorruptDataByte},
         [](auto& a) {
             ASSERT_EQ(a.size(), 1u);
             EXPECT_FALSE(test::ChecksumOk(a[0].bytes));
             EXPECT_EQ(a[0].bytes.back(), kNormalProductIdReply.back());
             EXPECT_NE(a[0].bytes[8], kNormalProductIdReply[8]);
         }},
        {"WrongStartByte",
         {.kind = Kind::WrongStartByte},
         [](auto& a) {
             ASSERT_EQ(a.size(), 1u);
             EXPECT_NE(a[0].bytes[0], 0xFF);
             EXPECT_EQ(Bytes(a[0].bytes.begin() + 1, a[0].bytes.end()),
                       Bytes(kNormalProductIdReply.begin() + 1, kNormalProductIdReply.end()));
         }},
        {"OversizeLength 242",
         {.kind = Kind::OversizeLength, .param = 242},
         [](auto& a) {
             ASSERT_EQ(a.size(), 1u);
             EXPECT_EQ(a[0].bytes.size(), 242u + 7);
             EXPECT_EQ(a[0].bytes[5], 242);
             EXPECT_TRUE(test::ChecksumOk(a[0].bytes));
         }},
        {"OversizeLength 255",
         {.kind = Kind::OversizeLength, .param = 255},
         [](auto& a) {
             ExpectSent(a, Bytes{0xFF, 0xFC, 0xFC, 0xFD, 0xFD, 255});
         }},
        {"TruncatedBody",
         {.kind = Kind::TruncatedBody, .param = 3},
         [](auto& a) {
             ExpectSent(a, Bytes(kNormalProductIdReply.begin(), kNormalProductIdReply.end() - 3));
         }},
        {"Silence", {.kind = Kind::Silence}, [](auto& a) { EXPECT_TRUE(a.empty()); }},
        {"Delay",
         {.kind = Kind::Delay, .param = 250},
         [](auto& a) {
             ASSERT_EQ(a.size(), 2u);
             EXPECT_EQ(a[0].kind, WireAction::Kind::Pause);
             EXPECT_EQ(a[0].pauseMs, 250);
             EXPECT_EQ(a[1].bytes, kNormalProductIdReply);
         }},
        {"Noise",
         {.kind = Kind::Noise, .param = 20},
         [](auto& a) {
             const Bytes sent = test::Sent(a);
             ASSERT_EQ(sent.size(), 20 + kNormalProductIdReply.size());
             EXPECT_EQ(std::count(sent.begin(), sent.begin() + 20, 0xFF), 0);
             EXPECT_EQ(Bytes(sent.begin() + 20, sent.end()), kNormalProductIdReply);
         }},
        {"UnexpectedReply",
         {.kind = Kind::UnexpectedReply},
         [](auto& a) {
             const auto frames = SplitFrames(test::Sent(a));
             ASSERT_EQ(frames.size(), 2u);
             EXPECT_TRUE(test::ChecksumOk(frames[0]));
             EXPECT_EQ(frames[0][6] & 0xF0, 0x90);
             EXPECT_NE(frames[0][6], 0x90);
             EXPECT_EQ(frames[1], kNormalProductIdReply);
         }},
        {"UnsolicitedText",
         {.kind = Kind::UnsolicitedText, .text = "Boot OK\r"},
         [](auto& a) {
             const auto frames = SplitFrames(test::Sent(a));
             ASSERT_EQ(frames.size(), 2u);
             EXPECT_TRUE(test::ChecksumOk(frames[0]));
             EXPECT_EQ(frames[0][6], 0x7E);
             EXPECT_EQ(std::string(frames[0].begin() + 7, frames[0].end() - 1), "Boot OK\r");
             EXPECT_EQ(frames[1], kNormalProductIdReply);
         }},
        {"Disappear before answering",
         {.kind = Kind::Disappear, .param = 0},
         [](auto& a) {
             ASSERT_EQ(a.size(), 1u);
             EXPECT_EQ(a[0].kind, WireAction::Kind::Close);
         }},
        {"Disappear after 4 bytes",
         {.kind = Kind::Disappear, .param = 4},
         [](auto& a) {
             ASSERT_EQ(a.size(), 2u);
             EXPECT_EQ(a[0].bytes,
                       Bytes(kNormalProductIdReply.begin(), kNormalProductIdReply.begin() + 4));
             EXPECT_EQ(a[1].kind, WireAction::Kind::Close);
         }},
    };
}

TEST(SimFaultTest, EachKindMisbehavesOnceAndThenTheRouterAnswersNormally) {
    for (const FaultCase& c : FaultCases()) {
        SCOPED_TRACE(c.name);
        SimRouter router;
        router.InjectFault(c.fault);
        c.check(router.Feed(kProductId));
        ExpectSent(router.Feed(kProductId), kNormalProductIdReply);
        EXPECT_EQ(router.ReceivedFrames().size(), 2u);
    }
}

TEST(SimFaultTest, FaultsMatchCommandSubCommandAndCount) {
    SimRouter router;
    router.Update([](RouterState& state) { state.cardPartNumber = 263; });
    router.InjectFault({.kind = Kind::Busy, .command = 0x45, .subCommand = 2, .times = 2});
    const Bytes ethernet = RequestFrame(0x45, {2});
    const Bytes serial = RequestFrame(0x45, {0});
    const Bytes busy = Refusal(0x80, {10});
    EXPECT_EQ(SplitFrames(test::Sent(router.Feed(serial))).at(0)[6], 0xC5);
    EXPECT_EQ(test::Sent(router.Feed(kProductId)), kNormalProductIdReply);
    EXPECT_EQ(test::Sent(router.Feed(ethernet)), busy);
    EXPECT_EQ(test::Sent(router.Feed(serial)).at(7), 9);  // protocol index, not a refusal
    EXPECT_EQ(test::Sent(router.Feed(ethernet)), busy);
    EXPECT_EQ(SplitFrames(test::Sent(router.Feed(ethernet))).at(0)[7], 0x83);

    router.InjectFault({.kind = Kind::Refuse, .param = 5, .times = 3});
    router.ClearFaults();
    EXPECT_EQ(test::Sent(router.Feed(kProductId)), kNormalProductIdReply);
}

TEST(SimFaultTest, FaultsQueueInOrderOfInjection) {
    SimRouter router;
    router.InjectFault({.kind = Kind::Busy, .command = 0x10});
    router.InjectFault({.kind = Kind::Refuse, .param = 2, .command = 0x10});
    EXPECT_EQ(test::Sent(router.Feed(kProductId)), Refusal(0x80, {10}));
    EXPECT_EQ(test::Sent(router.Feed(kProductId)), Refusal(0x80, {2}));
    EXPECT_EQ(test::Sent(router.Feed(kProductId)), kNormalProductIdReply);
}

TEST(SimFaultTest, ASkippingFaultLetsMatchingRequestsPassFirst) {
    SimRouter router;
    SimFault third{Kind::Refuse, 1, 0x10};
    third.skip = 2;
    router.InjectFault(third);
    const Bytes refused = Refusal(0x80, {1});
    EXPECT_EQ(test::Sent(router.Feed(kProductId)), kNormalProductIdReply);
    EXPECT_EQ(test::Sent(router.Feed(kProductId)), kNormalProductIdReply);
    EXPECT_EQ(test::Sent(router.Feed(kProductId)), refused);
    EXPECT_EQ(test::Sent(router.Feed(kProductId)), kNormalProductIdReply);
}

TEST(SimFaultTest, RefusedRequestsDoNotTakeEffectDamagedRepliesDo) {
    const struct {
        Kind kind;
        bool takeApplied;
    } cases[] = {{Kind::Busy, false},           {Kind::Refuse, false},       {Kind::Silence, false},
                 {Kind::CorruptChecksum, true}, {Kind::TruncatedBody, true}, {Kind::Delay, true},
                 {Kind::UnexpectedReply, true}};
    for (const auto& c : cases) {
        SimRouter router;
        router.InjectFault({.kind = c.kind, .param = 1, .command = 0x49});
        router.Feed(RequestFrame(0x49, {0, 0, 9, 0, 1}));
        EXPECT_EQ(router.Snapshot().crosspoints[0] == 9, c.takeApplied) << static_cast<int>(c.kind);
    }
}

TEST(SimFaultTest, ReplyIndexHitsOneFrameOfAMultiReply) {
    const Bytes scramble = RequestFrame(0x46, {0});
    SimRouter router;
    router.InjectFault({.kind = Kind::Silence, .command = 0x46, .replyIndex = 3});
    EXPECT_EQ(SplitFrames(test::Sent(router.Feed(scramble))).size(), 3u);

    router.InjectFault({.kind = Kind::Busy, .command = 0x46, .replyIndex = 5});
    auto frames = SplitFrames(test::Sent(router.Feed(scramble)));
    ASSERT_EQ(frames.size(), 6u);
    EXPECT_EQ(frames[5], Refusal(0x80, {10}));

    router.InjectFault({.kind = Kind::CorruptChecksum, .command = 0x46, .replyIndex = 15});
    frames = SplitFrames(test::Sent(router.Feed(scramble)));
    ASSERT_EQ(frames.size(), 16u);
    EXPECT_TRUE(test::ChecksumOk(frames[14]));
    EXPECT_FALSE(test::ChecksumOk(frames[15]));
}

}  // namespace
}  // namespace zsim
