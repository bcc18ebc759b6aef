#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <memory>

#include "PtyPeer.h"
#include "serial/QtSerialDevice.h"
#include "serial/SerialLink.h"
#include "support/FakeClock.h"

namespace zerandi {
namespace {

using test::Bytes;
using test::kReplyTimeoutMs;
using test::PtyPeer;

constexpr uint8_t kStartByte = 0xff;
constexpr uint32_t kRestingTimeoutMs = 500;
constexpr uint32_t kQuietTimeoutMs = 80;  // for reads that are meant to time out
constexpr size_t kProtocolBufferBytes = 248;
const QString kNow = "Mon Dec  7 13:02:31 2026";
// A pseudo-terminal has no low-latency mode: the port is used as it is, and the log says so.
const QByteArray kNoLowLatencyLine =
    "Low latency: not available on this device; it is used as it is\n";

// The link as the router protocol sets it up: the start byte is checked.
class CheckedLink : public SerialLink {
public:
    explicit CheckedLink(Clock& clock, bool checkStart = true)
        : SerialLink(std::make_unique<QtSerialDevice>(), clock, [] { return kNow; }) {
        SetStartByteCheck(checkStart, kStartByte);
    }
};

Bytes Header(uint8_t lengthByte, uint8_t start = kStartByte) {
    return {start, 0xfc, 0xfc, 0xfd, 0xfd, lengthByte};
}

// A frame whose body (command, data, checksum) is length byte + 1 bytes long.
Bytes Frame(uint8_t lengthByte, uint8_t start = kStartByte) {
    Bytes frame = Header(lengthByte, start);
    const size_t body = static_cast<uint8_t>(lengthByte + 1);
    for (size_t i = 0; i < body; ++i) {
        frame.push_back(static_cast<uint8_t>(0x40 + i));
    }
    return frame;
}

Bytes Join(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes Slice(const Bytes& bytes, size_t from, size_t count) {
    return Bytes(bytes.begin() + from, bytes.begin() + from + count);
}

class SerialLinkPtyTest : public ::testing::Test {
protected:
    bool Reopen(SerialLink& link, const PtyPeer& peer, uint32_t baud = 9600) {
        return link.Reopen(PortChoice::Device(peer.SlavePath()), baud, 8, StopBits::One,
                           Parity::None, kRestingTimeoutMs);
    }
    QByteArray LogText() const {
        QFile file(LogPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }
    QString LogPath() const { return dir_.filePath("comm.log"); }

    test::FakeClock clock_;
    QTemporaryDir dir_;
    PtyPeer peer_;
};

TEST_F(SerialLinkPtyTest, ReceiveFramedOutcomes) {
    struct Case {
        const char* name;
        std::vector<Bytes> chunks;  // written with a pause between them
        size_t bufferBytes;
        bool checkStart;
        uint32_t timeoutMs;
        LinkStatus status;
        size_t received;
    };
    const Bytes frame3 = Frame(3);
    const Case cases[] = {
        {"nothing arrives", {}, 248, true, kQuietTimeoutMs, LinkStatus::Timeout, 0},
        {"whole frame", {frame3}, 248, true, kReplyTimeoutMs, LinkStatus::Received, 10},
        {"length byte 255 has no body",
         {Header(255)},
         248,
         true,
         kReplyTimeoutMs,
         LinkStatus::Received,
         6},
        {"header split over two writes",
         {Slice(frame3, 0, 3), Slice(frame3, 3, 7)},
         248,
         true,
         kReplyTimeoutMs,
         LinkStatus::Received,
         10},
        {"body split over two writes",
         {Slice(frame3, 0, 8), Slice(frame3, 8, 2)},
         248,
         true,
         kReplyTimeoutMs,
         LinkStatus::Received,
         10},
        {"header stays short",
         {Slice(frame3, 0, 3)},
         248,
         true,
         kQuietTimeoutMs,
         LinkStatus::Timeout,
         0},
        {"wrong start byte",
         {Frame(3, 0xfe)},
         248,
         true,
         kReplyTimeoutMs,
         LinkStatus::WrongStartByte,
         0},
        {"start byte unchecked",
         {Frame(3, 0xfe)},
         248,
         false,
         kReplyTimeoutMs,
         LinkStatus::Received,
         10},
        {"frame larger than the buffer",
         {Frame(250)},
         kProtocolBufferBytes,
         true,
         kReplyTimeoutMs,
         LinkStatus::BufferTooSmall,
         0},
        {"frame exactly fills the buffer",
         {Frame(241)},
         kProtocolBufferBytes,
         true,
         kReplyTimeoutMs,
         LinkStatus::Received,
         248},
        {"header larger than the buffer",
         {frame3},
         5,
         true,
         kReplyTimeoutMs,
         LinkStatus::BufferTooSmall,
         0},
        {"body stops short",
         {Slice(frame3, 0, 8)},
         248,
         true,
         kQuietTimeoutMs,
         LinkStatus::TruncatedBody,
         8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PtyPeer peer;
        CheckedLink link(clock_, c.checkStart);
        ASSERT_TRUE(Reopen(link, peer));
        peer.WriteChunksPaced(c.chunks, 30);
        std::vector<uint8_t> buffer(c.bufferBytes, 0xaa);
        size_t received = 99;
        EXPECT_EQ(link.ReceiveFramedTimed(buffer, received, c.timeoutMs), c.status);
        EXPECT_EQ(received, c.received);
        if (c.status == LinkStatus::Received) {
            const Bytes sent = c.chunks.empty()       ? Bytes()
                               : c.chunks.size() == 1 ? c.chunks[0]
                                                      : Join(c.chunks[0], c.chunks[1]);
            EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + received), sent);
        }
        EXPECT_EQ(link.ReadTimeoutMs(), kRestingTimeoutMs);
    }
}

TEST_F(SerialLinkPtyTest, TruncatedBodyLeavesNoStaleBytesAndLogsWhatArrived) {
    CheckedLink link(clock_);
    ASSERT_TRUE(link.OpenLog(LogPath()));
    ASSERT_TRUE(Reopen(link, peer_));
    const Bytes frame = Frame(5);  // 6 + 6 bytes
    peer_.Write(Slice(frame, 0, 9));
    std::vector<uint8_t> buffer(kProtocolBufferBytes, 0xaa);
    size_t received = 0;
    EXPECT_EQ(link.ReceiveFramedTimed(buffer, received, kQuietTimeoutMs),
              LinkStatus::TruncatedBody);
    EXPECT_EQ(received, 9u);
    EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + 9), Slice(frame, 0, 9));
    EXPECT_EQ(Bytes(buffer.begin() + 9, buffer.begin() + 12), (Bytes{0, 0, 0}));
    EXPECT_TRUE(LogText().contains("Received      : ff fc fc fd fd 05 40 41 42 \n"))
        << LogText().toStdString();
}

TEST_F(SerialLinkPtyTest, RefusedLargeFrameLeavesItsBodyForFlush) {
    CheckedLink link(clock_);
    ASSERT_TRUE(Reopen(link, peer_));
    std::array<uint8_t, kProtocolBufferBytes> buffer{};
    size_t received = 0;

    const Bytes large = Frame(250);  // 6 + 251 bytes
    peer_.Write(large);
    ASSERT_EQ(link.ReceiveFramedTimed(buffer, received, kReplyTimeoutMs),
              LinkStatus::BufferTooSmall);
    Bytes rest;
    std::array<uint8_t, 512> chunk{};
    while (link.ReceiveBytesTimed(chunk, received, kQuietTimeoutMs, false) && received > 0) {
        rest.insert(rest.end(), chunk.begin(), chunk.begin() + received);
    }
    EXPECT_EQ(rest, Slice(large, 6, 251));

    peer_.Write(large);
    ASSERT_EQ(link.ReceiveFramedTimed(buffer, received, kReplyTimeoutMs),
              LinkStatus::BufferTooSmall);
    EXPECT_TRUE(link.Flush(0));
    peer_.Write(Frame(1));
    EXPECT_EQ(link.ReceiveFramedTimed(buffer, received, kReplyTimeoutMs), LinkStatus::Received);
    EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + received), Frame(1));
}

TEST_F(SerialLinkPtyTest, HeaderLargerThanBufferReadsNothing) {
    CheckedLink link(clock_);
    ASSERT_TRUE(Reopen(link, peer_));
    peer_.Write(Frame(2));
    std::array<uint8_t, 5> small{};
    size_t received = 0;
    EXPECT_EQ(link.ReceiveFramedTimed(small, received, kReplyTimeoutMs),
              LinkStatus::BufferTooSmall);
    std::array<uint8_t, kProtocolBufferBytes> buffer{};
    EXPECT_EQ(link.ReceiveFramedTimed(buffer, received, kReplyTimeoutMs), LinkStatus::Received);
    EXPECT_EQ(received, 9u);
}

// DTR and RTS cannot be checked here: a pseudo-terminal has no modem lines. Nor can
// other data bits or parity: a pseudo-terminal keeps 8 data bits without parity.
TEST_F(SerialLinkPtyTest, LineSettingsReachTheTty) {
    struct Case {
        uint32_t baud;
        StopBits stopBits;
        speed_t speed;
        bool twoStopBits;
    };
    const Case cases[] = {
        {9600, StopBits::One, B9600, false},     {19200, StopBits::One, B19200, false},
        {38400, StopBits::One, B38400, false},   {57600, StopBits::One, B57600, false},
        {115200, StopBits::One, B115200, false}, {9600, StopBits::Two, B9600, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.baud);
        PtyPeer peer;
        SerialLink link(std::make_unique<QtSerialDevice>(), clock_);
        ASSERT_TRUE(link.Reopen(PortChoice::Device(peer.SlavePath()), c.baud, 8, c.stopBits,
                                Parity::None, kRestingTimeoutMs))
            << link.LastOpenErrorText().toStdString();
        const termios tty = peer.SlaveSettings();
        EXPECT_EQ(cfgetospeed(&tty), c.speed);
        EXPECT_EQ(cfgetispeed(&tty), c.speed);
        EXPECT_EQ(tty.c_cflag & (CSIZE | PARENB), tcflag_t{CS8});
        EXPECT_EQ((tty.c_cflag & CSTOPB) != 0, c.twoStopBits);
        EXPECT_EQ(tty.c_cflag & CRTSCTS, 0u);
        EXPECT_EQ(tty.c_iflag & (IXON | IXOFF | IXANY), 0u);
        // Raw bytes: no line editing, echo or output translation.
        EXPECT_EQ(tty.c_lflag & (ICANON | ECHO | ISIG), 0u);
        EXPECT_EQ(tty.c_oflag & OPOST, 0u);
    }
    SerialLink link(std::make_unique<QtSerialDevice>(), clock_);
    ASSERT_TRUE(link.Open(PortChoice::Device(peer_.SlavePath()), 19200));
    const termios tty = peer_.SlaveSettings();
    EXPECT_EQ(cfgetospeed(&tty), speed_t{B19200});
    EXPECT_EQ(tty.c_cflag & (CSIZE | PARENB | CSTOPB), tcflag_t{CS8});
}

TEST_F(SerialLinkPtyTest, MissingDeviceLeavesTheLinkClosed) {
    CheckedLink link(clock_);
    ASSERT_TRUE(Reopen(link, peer_));
    EXPECT_FALSE(link.Open(PortChoice::Device("/dev/zerandi-no-such-port"), 9600));
    EXPECT_FALSE(link.IsOpen());
    EXPECT_EQ(link.LastOpenErrorText(), "no such device");
    EXPECT_FALSE(link.Send(Bytes{1, 2}));
}

TEST_F(SerialLinkPtyTest, FlushReturnsFromAPeerThatNeverStopsSending) {
    CheckedLink link(clock_);
    ASSERT_TRUE(Reopen(link, peer_));
    peer_.StartStreaming(5000);
    // Each read waits up to 50 ms, so a drain that only stops on a quiet line would run
    // for as long as the peer sends: the peer would have stopped by the time it returns.
    EXPECT_TRUE(link.Flush(50));
    EXPECT_TRUE(peer_.Streaming());
    peer_.StopStreaming();
}

TEST_F(SerialLinkPtyTest, HangUpDuringAFramedReadClosesTheLink) {
    CheckedLink link(clock_);
    ASSERT_TRUE(link.OpenLog(LogPath()));
    ASSERT_TRUE(Reopen(link, peer_));
    peer_.Write(Header(5));
    peer_.HangUpAfter(30);
    std::array<uint8_t, kProtocolBufferBytes> buffer{};
    // A failed read, not the time-out that waiting for the rest of the body would give.
    EXPECT_EQ(link.ReceiveMessage(buffer, kReplyTimeoutMs), LinkStatus::ReadFailed);
    EXPECT_FALSE(link.IsOpen());
    EXPECT_FALSE(link.Send(Frame(1)));

    PtyPeer next;
    ASSERT_TRUE(Reopen(link, next));
    ASSERT_TRUE(link.Send(Frame(0)));
    EXPECT_EQ(next.Read(7, 1000), Frame(0));
    next.Write(Frame(0));
    EXPECT_EQ(link.ReceiveMessage(buffer, kReplyTimeoutMs), LinkStatus::Received);

    const QByteArray closed = "Closed port: " + peer_.SlavePath().toUtf8() + "\n";
    const QByteArray failed = "Failed to Send: ";
    EXPECT_EQ(LogText().count(closed), 1);
    EXPECT_LT(LogText().indexOf(closed), LogText().indexOf(failed));
}

// One session as the log records it, byte for byte.
TEST_F(SerialLinkPtyTest, LogRecordsTheSession) {
    CheckedLink link(clock_);
    ASSERT_TRUE(link.OpenLog(LogPath()));
    ASSERT_TRUE(Reopen(link, peer_));
    std::array<uint8_t, kProtocolBufferBytes> buffer{};

    const Bytes request{0xff, 0xfc, 0xfc, 0xfd, 0xfd, 0x01, 0x10, 0x03};
    ASSERT_TRUE(link.Send(request));
    EXPECT_EQ(peer_.Read(request.size(), 1000), request);
    peer_.Write(Frame(1));
    ASSERT_EQ(link.ReceiveMessage(buffer, kReplyTimeoutMs), LinkStatus::Received);

    // Refused or missing frames leave no line.
    EXPECT_EQ(link.ReceiveMessage(buffer, kQuietTimeoutMs), LinkStatus::Timeout);
    peer_.Write(Frame(1, 0x00));
    EXPECT_EQ(link.ReceiveMessage(buffer, kReplyTimeoutMs), LinkStatus::WrongStartByte);
    EXPECT_TRUE(link.Flush(0));
    peer_.Write(Frame(250));
    EXPECT_EQ(link.ReceiveMessage(buffer, kReplyTimeoutMs), LinkStatus::BufferTooSmall);
    EXPECT_TRUE(link.Flush(0));

    link.LogTimestamp();
    PtyPeer other;
    ASSERT_TRUE(Reopen(link, other));
    link.Close();
    EXPECT_FALSE(link.Send(Bytes{0x01, 0x02}));
    link.CloseLog();

    const QByteArray first = peer_.SlavePath().toUtf8();
    const QByteArray second = other.SlavePath().toUtf8();
    EXPECT_EQ(LogText(),
              "Log file started: Mon Dec  7 13:02:31 2026\n\n"
              "Opened port: " +
                  first + "\n" + kNoLowLatencyLine +
                  "Sent          : ff fc fc fd fd 01 10 03 \n"
                  "Received      : ff fc fc fd fd 01 40 41 \n"
                  "Mon Dec  7 13:02:31 2026\n"
                  "Closed port: " +
                  first +
                  "\n"
                  "Opened port: " +
                  second + "\n" + kNoLowLatencyLine + "Closed port: " + second +
                  "\n"
                  "Failed to Send: 01 02 \n"
                  "\nLog File closed: Mon Dec  7 13:02:31 2026\n\n");
}

}  // namespace
}  // namespace zerandi
