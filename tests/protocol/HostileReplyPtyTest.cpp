#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "protocol/CraftedReplyPeer.h"
#include "protocol/RouterProtocol.h"
#include "protocol/TestFrames.h"
#include "serial/PortChoice.h"
#include "serial/QtSerialDevice.h"
#include "support/FakeClock.h"

namespace zerandi::test {
namespace {

using Bytes = std::vector<uint8_t>;
constexpr uint32_t kRecoveryMs = 596;

Bytes Reply(uint8_t command, const Bytes& data) {
    return FrameBytes(ReplyFrame(command, data));
}

Bytes operator+(Bytes first, const Bytes& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

// Replies straight from the far end of a pseudo-terminal: ones no honest router sends, and
// honest ones the simulator does not send.
class HostileReplyPtyTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(peer.IsReady());
        ASSERT_TRUE(protocol.Reopen(PortChoice::Device(peer.DevicePath()), 9600, 8, StopBits::One,
                                    Parity::None, 500));
    }

    CraftedReplyPeer peer;
    FakeClock clock;
    RouterProtocol protocol{std::make_unique<QtSerialDevice>(), clock};
    RouterAddress address;
};

struct HostileCase {
    const char* name;
    Bytes reply;
    std::function<CommResult(RouterProtocol&, const RouterAddress&)> call;
    CommResult result;
    bool recovers;
};

TEST_F(HostileReplyPtyTest, RepliesThatClaimMoreThanTheyCarryFailCleanly) {
    std::vector<uint8_t> fans = {9};
    GeneralHealthStatus health;
    PartitionParameters partition;
    std::vector<int32_t> sources(3, 7);
    ScrambleTableWords scramble{};
    std::vector<uint8_t> portTypes(100, 0xAA);
    bool flag = false;
    uint8_t value = 0;
    uint8_t maker = 0;
    uint8_t product = 0;
    using P = RouterProtocol;
    using A = const RouterAddress&;
    const std::vector<HostileCase> cases = {
        {"fan count beyond the reply", Reply(0x92, {7, 5, 0, 0}),
         [&](P& p, A a) { return p.GetFanStatus(a, fans); }, CommResult::CountError, true},
        {"fan reply of another sub-command", Reply(0x92, {0, 1, 0}),
         [&](P& p, A a) { return p.GetFanStatus(a, fans); }, CommResult::ReplyMismatch, false},
        {"health reply cut short", Reply(0x92, {0, 1, 2, 3}),
         [&](P& p, A a) { return p.GetGeneralHealth(a, health); }, CommResult::CountError, true},
        {"partition count beyond the reply", Reply(0xC7, Bytes{1, 1, 2, 0, 1} + Bytes(14, 0)),
         [&](P& p, A a) { return p.GetPartitionParameters(a, partition); }, CommResult::CountError,
         true},
        {"crosspoint block of the wrong size", Reply(0xCA, {0, 0, 1, 3, 0, 5, 0, 6}),
         [&](P& p, A a) { return p.GetCrosspointStatus(a, 1, 3, sources); },
         CommResult::ReplyMismatch, true},
        {"scramble count beyond the reply", Reply(0xC6, {1, 0, 0, 0, 9, 0, 1, 0, 2}),
         [&](P& p, A a) { return p.GetScrambleTable(a, scramble); }, CommResult::CountError, true},
        {"port-type count beyond the reply", Reply(0xC8, {0, 1, 2, 0, 0, 200, 1, 2, 3}),
         [&](P& p, A a) { return p.GetDataRouterParameters(a, flag, value, portTypes).comm; },
         CommResult::CountError, true},
        {"refusal without its code", Reply(0x80, {}),
         [&](P& p, A a) { return p.GetProductId(a, maker, product); }, CommResult::UndefinedError,
         true},
        {"take echo of another output", Reply(0xC9, {0, 0, 3, 0, 6}),
         [&](P& p, A a) { return p.Take(a, 3, 5); }, CommResult::ReplyMismatch, true},
    };
    for (const HostileCase& c : cases) {
        clock.ClearSleeps();
        peer.AnswerNext(c.reply);
        EXPECT_EQ(c.call(protocol, address), c.result) << c.name;
        const std::vector<uint32_t> pauses =
            c.recovers ? std::vector<uint32_t>{kRecoveryMs} : std::vector<uint32_t>{};
        EXPECT_EQ(clock.Sleeps(), pauses) << c.name;
    }
    EXPECT_TRUE(fans.empty());
    EXPECT_EQ(health, GeneralHealthStatus{});
    EXPECT_EQ(partition, PartitionParameters{});
    EXPECT_EQ(sources, std::vector<int32_t>(3, -1));
    EXPECT_EQ(scramble, ScrambleTableWords{});
    EXPECT_EQ(portTypes, std::vector<uint8_t>(100, 0xAA));
    EXPECT_FALSE(flag);
    EXPECT_EQ(peer.Requests().size(), cases.size());
}

TEST_F(HostileReplyPtyTest, IndicesOutsideTheTablesAreNeverWritten) {
    ScrambleTableWords scramble{};
    peer.AnswerNext(Reply(0xC6, {1, 0, 0, 254, 3, 0, 1, 0, 2, 0, 3, 0, 4, 0, 5, 0, 6}));
    ASSERT_EQ(protocol.GetScrambleTable(address, scramble), CommResult::Success);
    ScrambleTableWords expected{};
    expected[254] = 1;
    expected[256 + 254] = 2;
    expected[255] = 3;
    expected[256 + 255] = 4;
    EXPECT_EQ(scramble, expected);

    std::vector<uint8_t> storage(104, 0xAA);
    bool flag = false;
    uint8_t value = 0;
    peer.AnswerNext(Reply(0xC8, Bytes{1, 0, 0, 0, 98, 4, 1, 2, 3, 4}) +
                    Reply(0xC8, Bytes{0, 0, 0, 0, 0, 1, 5}));
    const DataRouterReadResult result = protocol.GetDataRouterParameters(
        address, flag, value, std::span<uint8_t>(storage).first(100));
    EXPECT_TRUE(result.tooManyInputs);
    EXPECT_EQ(storage[98], 1);
    EXPECT_EQ(storage[99], 2);
    EXPECT_EQ(Bytes(storage.begin() + 100, storage.end()), Bytes(4, 0xAA));
    EXPECT_EQ(storage[0], 0xAA);  // the read stopped: the second reply was not taken
}

// Both scramble banks in replies of `perReply` entries; only the last reply says no more follow.
Bytes ScrambleReplies(const ScrambleTableWords& table, size_t perReply) {
    Bytes replies;
    for (const uint8_t bank : {kScrambleBankOne, kScrambleBankTwo}) {
        const ScrambleBankBases bases = ScrambleBankBasesFor(bank);
        for (size_t start = 0; start < kScrambleBankEntries; start += perReply) {
            const size_t count = std::min(perReply, kScrambleBankEntries - start);
            const bool last = bank == kScrambleBankTwo && start + count == kScrambleBankEntries;
            Bytes data{bank, static_cast<uint8_t>(last ? 0 : 1)};
            PutWord(data, static_cast<uint16_t>(start));
            data.push_back(static_cast<uint8_t>(count));
            for (size_t i = start; i < start + count; ++i) {
                PutWord(data, table[bases.a + i]);
                PutWord(data, table[bases.b + i]);
            }
            replies = replies + Reply(0xC6, data);
        }
    }
    return replies;
}

constexpr uint8_t kPortTypeValue = 5;

// The port types in replies of `perReply` ports, with the flag set.
Bytes PortTypeReplies(const Bytes& codes, size_t perReply) {
    Bytes replies;
    for (size_t start = 0; start < codes.size(); start += perReply) {
        const size_t count = std::min(perReply, codes.size() - start);
        const bool last = start + count == codes.size();
        Bytes data{static_cast<uint8_t>(last ? 0 : 1), 1, kPortTypeValue};
        PutWord(data, static_cast<uint16_t>(start));
        data.push_back(static_cast<uint8_t>(count));
        data.insert(data.end(), codes.begin() + static_cast<std::ptrdiff_t>(start),
                    codes.begin() + static_cast<std::ptrdiff_t>(start + count));
        replies = replies + Reply(0xC8, data);
    }
    return replies;
}

struct SmallerBlocksCase {
    const char* name;
    Bytes replies;
    std::function<void(RouterProtocol&, const RouterAddress&)> readWhole;
};

// A card may answer a table read in smaller replies than the program writes the table in.
TEST_F(HostileReplyPtyTest, ATableAnsweredInSmallerBlocksIsReadWhole) {
    ScrambleTableWords scramble{};
    for (size_t i = 0; i < scramble.size(); ++i) {
        scramble[i] = static_cast<uint16_t>(i * 37 + 11);
    }
    Bytes codes(300);
    for (size_t i = 0; i < codes.size(); ++i) {
        codes[i] = static_cast<uint8_t>(i % 7);
    }
    using P = RouterProtocol;
    using A = const RouterAddress&;
    const auto readScramble = [&](P& p, A a) {
        ScrambleTableWords read{};
        EXPECT_EQ(p.GetScrambleTable(a, read), CommResult::Success);
        EXPECT_EQ(read, scramble);
    };
    const auto readPortTypes = [&](P& p, A a) {
        Bytes read(codes.size(), 0xAA);
        bool flag = false;
        uint8_t value = 0;
        const DataRouterReadResult result = p.GetDataRouterParameters(a, flag, value, read);
        EXPECT_EQ(result.comm, CommResult::Success);
        EXPECT_FALSE(result.tooManyInputs);
        EXPECT_EQ(read, codes);
        EXPECT_TRUE(flag);
        EXPECT_EQ(value, kPortTypeValue);
    };
    const std::vector<SmallerBlocksCase> cases = {
        {"scramble table in replies of 16 entries", ScrambleReplies(scramble, 16), readScramble},
        {"scramble table in replies of one entry", ScrambleReplies(scramble, 1), readScramble},
        {"300 port types in replies of 64 ports", PortTypeReplies(codes, 64), readPortTypes},
        {"300 port types in replies of one port", PortTypeReplies(codes, 1), readPortTypes},
    };
    for (const SmallerBlocksCase& c : cases) {
        SCOPED_TRACE(c.name);
        clock.ClearSleeps();
        peer.AnswerNext(c.replies);
        c.readWhole(protocol, address);
        EXPECT_TRUE(clock.Sleeps().empty()) << "no recovery pause";
    }
    EXPECT_EQ(peer.Requests().size(), cases.size()) << "each table is asked for once";
}

struct EndlessReadCase {
    const char* name;
    Bytes moreToCome;  // one reply that says more replies follow
    size_t bound;
    std::function<CommResult(RouterProtocol&, const RouterAddress&)> call;
};

TEST_F(HostileReplyPtyTest, AReadWhoseRepliesNeverStopFailsAtItsBoundAndTheLinkRecovers) {
    std::vector<SoftwareVersion> versions;
    ScrambleTableWords scramble{};
    std::vector<uint8_t> portTypes(300, 0);
    bool flag = false;
    uint8_t value = 0;
    using P = RouterProtocol;
    using A = const RouterAddress&;
    const std::vector<EndlessReadCase> cases = {
        // One reply per entry the table holds, and one more.
        {"scramble table of 2 x 256 entries", Reply(0xC6, {1, 1, 0, 0, 0}), 2 * 256 + 1,
         [&](P& p, A a) { return p.GetScrambleTable(a, scramble); }},
        {"port types of 300 ports", Reply(0xC8, {1, 0, 0, 0, 0, 0}), 300 + 1,
         [&](P& p, A a) { return p.GetDataRouterParameters(a, flag, value, portTypes).comm; }},
        {"software versions", Reply(0x95, {1, 0}), RouterProtocol::kMaxVersionReplies,
         [&](P& p, A a) { return p.GetSoftwareVersions(a, versions); }},
    };
    for (const EndlessReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        clock.ClearSleeps();
        Bytes endless;
        for (size_t i = 0; i <= c.bound; ++i) {
            endless = endless + c.moreToCome;
        }
        peer.AnswerNext(endless);
        EXPECT_EQ(c.call(protocol, address), CommResult::Timeout);
        EXPECT_FALSE(clock.Sleeps().empty());
        EXPECT_EQ(clock.Sleeps().front(), kRecoveryMs);

        uint8_t maker = 0;
        uint8_t product = 0;
        peer.AnswerNext(Reply(0x90, {0, 64}));
        EXPECT_EQ(protocol.GetProductId(address, maker, product), CommResult::Success);
        EXPECT_EQ(product, 64);
    }
}

TEST_F(HostileReplyPtyTest, ADeviceThatNeverStopsSendingOtherFramesEndsTheWait) {
    Bytes flood;
    for (int i = 0; i <= RouterProtocol::kMaxSkippedReplies; ++i) {
        flood = flood + Reply(0x99, {static_cast<uint8_t>(i)});
    }
    peer.AnswerNext(flood + Reply(0x90, {0, 64}));
    uint8_t maker = 9;
    uint8_t product = 9;
    EXPECT_EQ(protocol.GetProductId(address, maker, product), CommResult::Timeout);
    EXPECT_EQ(product, 9);

    peer.AnswerNext(Reply(0x99, {1}) + Reply(0x90, {0, 64}));
    EXPECT_EQ(protocol.GetProductId(address, maker, product), CommResult::Success);
    EXPECT_EQ(product, 64);
}

}  // namespace
}  // namespace zerandi::test
