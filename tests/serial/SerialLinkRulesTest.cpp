#include <gtest/gtest.h>

#include <array>
#include <memory>

#include "FakeSerialDevice.h"
#include "serial/SerialLink.h"
#include "support/FakeClock.h"

namespace zerandi {
namespace {

using test::FakeSerialDevice;
using ReadOutcome = FakeSerialDevice::ReadOutcome;

constexpr uint32_t kRestingTimeoutMs = 500;

// The link's rules that need no real port: parameter checks, the read time-out override,
// the drain bound and exceptions, over a scripted device.
class SerialLinkRulesTest : public ::testing::Test {
protected:
    SerialLinkRulesTest() {
        auto device = std::make_unique<FakeSerialDevice>(record_);
        device_ = device.get();
        link_ = std::make_unique<SerialLink>(std::move(device), clock_);
    }

    bool ReopenCom1() {
        return link_->Reopen(PortChoice::Com(1), 9600, 8, StopBits::One, Parity::None,
                             kRestingTimeoutMs);
    }

    FakeSerialDevice::Record record_;
    test::FakeClock clock_;
    FakeSerialDevice* device_ = nullptr;
    std::unique_ptr<SerialLink> link_;
    std::array<uint8_t, 248> buffer_{};
};

TEST_F(SerialLinkRulesTest, OpenPortChecksFrameLayoutBeforeTouchingTheDevice) {
    struct Case {
        unsigned headerLength;
        unsigned lengthOffset;
        int lengthAdjust;
        bool opens;
    };
    const Case cases[] = {
        {6, 256, 1, false}, {256, 5, 1, false}, {6, 5, -129, false},
        {6, 5, 129, false}, {6, 6, 1, false},   {0, 0, 0, false},
        {6, 5, 128, true},  {6, 5, -128, true}, {255, 254, 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.headerLength << "/" << c.lengthOffset << "/" << c.lengthAdjust);
        record_.opens = 0;
        EXPECT_EQ(link_->OpenPort(PortChoice::Com(1), 9600, 0, 0, 0, 0, 8, StopBits::One,
                                  Parity::None, c.headerLength, c.lengthOffset, c.lengthAdjust),
                  c.opens);
        EXPECT_EQ(record_.opens, c.opens ? 1 : 0);
        EXPECT_EQ(link_->IsOpen(), c.opens);
        link_->Close();
    }
}

TEST_F(SerialLinkRulesTest, OnlyCom1To16OrADevicePathOpen) {
    for (const PortChoice& port : {PortChoice::Com(0), PortChoice::Com(17), PortChoice()}) {
        EXPECT_FALSE(link_->Open(port, 9600));
    }
    EXPECT_EQ(record_.opens, 0);
    EXPECT_TRUE(link_->Open(PortChoice::Com(16), 9600));
    EXPECT_EQ(link_->PortNumber(), 16);
    EXPECT_TRUE(link_->Open(PortChoice::Device("/dev/ttyUSB0"), 19200));
    EXPECT_EQ(link_->PortNumber(), 0);
    EXPECT_EQ(link_->BaudRate(), 19200u);
}

TEST_F(SerialLinkRulesTest, TimedReadsOverrideTheReadTimeoutAndRestoreIt) {
    ASSERT_TRUE(ReopenCom1());
    EXPECT_EQ(record_.readTimeouts, (std::vector<uint32_t>{500}));
    size_t received = 0;

    EXPECT_EQ(link_->ReceiveFramedTimed(buffer_, received, 200), LinkStatus::Timeout);
    EXPECT_EQ(record_.readTimeouts, (std::vector<uint32_t>{500, 200, 500}));
    EXPECT_EQ(record_.timeoutsAtReads, (std::vector<uint32_t>{200}));

    // The resting time-out needs no change.
    EXPECT_EQ(link_->ReceiveMessage(buffer_, 500), LinkStatus::Timeout);
    EXPECT_EQ(record_.readTimeouts.size(), 3u);

    EXPECT_TRUE(link_->ReceiveBytesTimed(buffer_, received, 50, false));
    EXPECT_TRUE(link_->Flush(0));
    EXPECT_EQ(record_.readTimeouts, (std::vector<uint32_t>{500, 200, 500, 50, 500, 0, 500}));
    EXPECT_EQ(record_.timeoutsAtReads, (std::vector<uint32_t>{200, 500, 50, 0}));
    EXPECT_EQ(link_->ReadTimeoutMs(), kRestingTimeoutMs);
}

TEST_F(SerialLinkRulesTest, ATimeoutThatCannotBeSetFailsWithoutReading) {
    ASSERT_TRUE(ReopenCom1());
    device_->RefuseReadTimeouts();
    size_t received = 0;
    EXPECT_EQ(link_->ReceiveFramedTimed(buffer_, received, 200), LinkStatus::TimeoutNotSet);
    EXPECT_FALSE(link_->ReceiveMessageOk(buffer_, 200));
    EXPECT_FALSE(link_->ReceiveBytesTimed(buffer_, received, 200, false));
    EXPECT_FALSE(link_->Flush(0));
    EXPECT_TRUE(record_.timeoutsAtReads.empty());
    EXPECT_EQ(link_->ReadTimeoutMs(), kRestingTimeoutMs);
}

TEST_F(SerialLinkRulesTest, FlushStopsAfterItsDrainBound) {
    struct Case {
        uint32_t baud;
        size_t limitBytes;
    };
    const Case cases[] = {{9600, 4096}, {38400, 4096}, {57600, 5760}, {115200, 11520}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.baud);
        EXPECT_EQ(SerialLink::FlushDrainLimitBytes(c.baud), c.limitBytes);
    }
    ASSERT_TRUE(link_->Open(PortChoice::Com(1), 9600));
    const size_t chunks = SerialLink::FlushDrainLimitBytes(9600) / SerialLink::kFlushChunkBytes;
    for (size_t i = 0; i < chunks + 5; ++i) {
        device_->ScriptRead({ReadOutcome::Bytes, std::vector<uint8_t>(512, 0x55)});
    }
    record_.timeoutsAtReads.clear();
    EXPECT_TRUE(link_->Flush(0));
    EXPECT_EQ(record_.timeoutsAtReads.size(), chunks);
}

TEST_F(SerialLinkRulesTest, AnExceptionInAReadBecomesStatus10) {
    ASSERT_TRUE(ReopenCom1());
    device_->ScriptRead({ReadOutcome::Bytes, {0xff, 0xfc, 0xfc, 0xfd, 0xfd, 0x04}});
    device_->ScriptRead({ReadOutcome::Throw, {}});
    size_t received = 99;
    EXPECT_EQ(link_->ReceiveFramed(buffer_, received), LinkStatus::ReadException);
    EXPECT_EQ(received, 0u);
    // The link stays usable: the next frame is read as usual.
    device_->ScriptRead({ReadOutcome::Bytes, {0xff, 0xfc, 0xfc, 0xfd, 0xfd, 0xff}});
    EXPECT_EQ(link_->ReceiveFramed(buffer_, received), LinkStatus::Received);
    EXPECT_EQ(received, 6u);
}

TEST_F(SerialLinkRulesTest, WritesNeedABufferAndAnOpenPort) {
    const std::array<uint8_t, 2> bytes{1, 2};
    EXPECT_FALSE(link_->WriteBytes(bytes));
    ASSERT_TRUE(ReopenCom1());
    EXPECT_FALSE(link_->WriteBytes(std::span<const uint8_t>()));
    EXPECT_EQ(record_.writes, 1);
    EXPECT_TRUE(link_->WriteBytes(bytes));
    EXPECT_EQ(record_.writes, 2);
}

}  // namespace
}  // namespace zerandi
