#include <gtest/gtest.h>
#include <time.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <array>
#include <thread>

#include "PtyPeer.h"
#include "serial/QtSerialDevice.h"

namespace zerandi {
namespace {

using test::Bytes;
using test::PtyPeer;

constexpr uint32_t kShortTimeoutMs = 80;
// A time-out so long that a read waiting for it stands out from any slow, loaded machine:
// reads that must not wait are allowed half of it.
constexpr uint32_t kLongTimeoutMs = 10000;
constexpr int64_t kPromptReadMs = kLongTimeoutMs / 2;

int64_t ThreadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return int64_t{now.tv_sec} * 1000 + now.tv_nsec / 1000000;
}

void RunEventLoopMs(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

class QtSerialDeviceTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(device_.open(peer_.SlavePath(), LineSettings{})); }

    PtyPeer peer_;
    QtSerialDevice device_;
    std::array<uint8_t, 16> buffer_{};
};

TEST_F(QtSerialDeviceTest, ReadWaitsUpToTheTimeoutForTheFirstByte) {
    ASSERT_TRUE(device_.setReadTimeout(kShortTimeoutMs));
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(device_.read(buffer_), std::optional<size_t>(0));
    EXPECT_GE(clock.elapsed(), kShortTimeoutMs - 5);
    EXPECT_FALSE(device_.hungUp());
}

TEST_F(QtSerialDeviceTest, ReadReturnsWhatArrivedWithoutWaitingForMore) {
    ASSERT_TRUE(device_.setReadTimeout(kLongTimeoutMs));
    peer_.Write({1, 2, 3});
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(device_.read(buffer_), std::optional<size_t>(3));
    EXPECT_LT(clock.elapsed(), kPromptReadMs);
    EXPECT_EQ((Bytes{buffer_[0], buffer_[1], buffer_[2]}), (Bytes{1, 2, 3}));
}

TEST_F(QtSerialDeviceTest, ZeroTimeoutTakesWhatIsBufferedAtOnce) {
    ASSERT_TRUE(device_.setReadTimeout(0));
    peer_.Write({9, 8, 7, 6});
    // The bytes have crossed the tty layer once the peer's side has no more to give.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(device_.read(std::span(buffer_).first(3)), std::optional<size_t>(3));
    EXPECT_EQ(device_.read(buffer_), std::optional<size_t>(1));
    EXPECT_EQ(buffer_[0], 6);
    EXPECT_EQ(device_.read(buffer_), std::optional<size_t>(0));
}

// Control characters pass both ways untouched: no flow control, no CR/LF translation.
TEST_F(QtSerialDeviceTest, BytesPassUnalteredBothWays) {
    const Bytes frame{0xff, 0x0a, 0x0d, 0x11, 0x13, 0x00, 0x7f, 0x03, 0x04, 0x1a};
    EXPECT_TRUE(device_.write(frame));
    EXPECT_EQ(peer_.Read(frame.size(), 1000), frame);

    ASSERT_TRUE(device_.setReadTimeout(kShortTimeoutMs));
    peer_.Write(frame);
    Bytes received;
    while (const auto count = device_.read(buffer_).value_or(0)) {
        received.insert(received.end(), buffer_.begin(), buffer_.begin() + count);
    }
    EXPECT_EQ(received, frame);
}

TEST_F(QtSerialDeviceTest, HangUpFailsReadsAndWritesPromptly) {
    ASSERT_TRUE(device_.setReadTimeout(kLongTimeoutMs));
    peer_.HangUpAfter(20);
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(device_.read(buffer_), std::nullopt);
    EXPECT_LT(clock.elapsed(), kPromptReadMs);
    EXPECT_TRUE(device_.hungUp());
    EXPECT_TRUE(device_.isOpen());  // until its owner closes it
    EXPECT_FALSE(device_.write(Bytes{1}));
    EXPECT_EQ(device_.read(buffer_), std::nullopt);
}

// Between transfers the event loop runs; a port whose peer vanished then must not keep
// the thread busy, and the next read must fail.
TEST_F(QtSerialDeviceTest, HangUpWhileIdleDoesNotSpinTheEventLoop) {
    peer_.HangUpAfter(0);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    const int64_t cpuBefore = ThreadCpuMs();
    RunEventLoopMs(200);
    EXPECT_LT(ThreadCpuMs() - cpuBefore, 60);
    EXPECT_TRUE(device_.hungUp());
    EXPECT_EQ(device_.read(buffer_), std::nullopt);
}

TEST(QtSerialDeviceOpenTest, MissingDeviceFailsWithAReason) {
    QtSerialDevice device;
    EXPECT_FALSE(device.open("/dev/zerandi-no-such-port", LineSettings{}));
    EXPECT_FALSE(device.isOpen());
    EXPECT_EQ(device.lastErrorText(), "no such device");
    EXPECT_FALSE(device.setReadTimeout(10));
    std::array<uint8_t, 4> buffer{};
    EXPECT_EQ(device.read(buffer), std::nullopt);
}

TEST(QtSerialDeviceOpenTest, ReopenAfterHangUpWorksOnANewPeer) {
    QtSerialDevice device;
    std::array<uint8_t, 4> buffer{};
    {
        PtyPeer first;
        ASSERT_TRUE(device.open(first.SlavePath(), LineSettings{}));
        ASSERT_TRUE(device.setReadTimeout(kLongTimeoutMs));
        first.HangUpAfter(0);
        EXPECT_EQ(device.read(buffer), std::nullopt);
    }
    PtyPeer second;
    ASSERT_TRUE(device.open(second.SlavePath(), LineSettings{}));
    EXPECT_FALSE(device.hungUp());
    ASSERT_TRUE(device.setReadTimeout(kLongTimeoutMs));
    second.Write({5});
    EXPECT_EQ(device.read(buffer), std::optional<size_t>(1));
    // A release queued for the dead port must not close the new one.
    RunEventLoopMs(20);
    second.Write({6});
    EXPECT_EQ(device.read(buffer), std::optional<size_t>(1));
}

}  // namespace
}  // namespace zerandi
