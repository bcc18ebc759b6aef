#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

#include "SimTestFrames.h"
#include "sim/PtySimulator.h"
#include "sim/SimRouter.h"

namespace zsim {
namespace {

using test::Bytes;
using Clock = std::chrono::steady_clock;

using test::kProductIdRequest;
using test::kReplyTimeoutMs;
// A reply delay so long that a stop waiting for it stands out from any slow machine.
constexpr int kLongDelayMs = 20000;

// The client's end, with nothing but POSIX calls.
class Port {
public:
    explicit Port(const std::string& path) : fd_(open(path.c_str(), O_RDWR | O_NOCTTY)) {
        termios settings{};
        if (fd_ >= 0 && tcgetattr(fd_, &settings) == 0) {
            cfmakeraw(&settings);
            tcsetattr(fd_, TCSANOW, &settings);
        }
    }
    ~Port() {
        if (fd_ >= 0) {
            close(fd_);
        }
    }
    bool IsOpen() const { return fd_ >= 0; }
    bool Write(const Bytes& bytes) {
        return write(fd_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    }
    // Reads until `count` bytes came, the time ran out or the line failed (recorded in
    // lastRead/lastErrno).
    Bytes Read(size_t count, int timeoutMs = kReplyTimeoutMs) {
        Bytes bytes;
        const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
        while (bytes.size() < count && Clock::now() < deadline) {
            pollfd in{fd_, POLLIN, 0};
            if (poll(&in, 1, 20) <= 0) {
                continue;
            }
            std::array<uint8_t, 256> buffer;
            lastRead = read(fd_, buffer.data(), std::min(buffer.size(), count - bytes.size()));
            lastErrno = errno;
            if (lastRead <= 0) {
                break;
            }
            bytes.insert(bytes.end(), buffer.begin(), buffer.begin() + lastRead);
        }
        return bytes;
    }
    // One whole frame by its length byte.
    Bytes ReadFrame() {
        Bytes frame = Read(6);
        if (frame.size() == 6) {
            const Bytes rest = Read(frame[5] + 1u);
            frame.insert(frame.end(), rest.begin(), rest.end());
        }
        return frame;
    }

    ssize_t lastRead = 1;
    int lastErrno = 0;

private:
    int fd_;
};

TEST(PtySimulatorTest, AnswersTheProductIdRequestOnTheSlave) {
    SimRouter router("QR1209");
    PtySimulator simulator(router);
    ASSERT_TRUE(simulator.Start());
    ASSERT_EQ(simulator.DevicePath().rfind("/dev/", 0), 0u);
    for (int attempt = 0; attempt < 2; ++attempt) {  // the line survives a close and reopen
        Port port(simulator.DevicePath());
        ASSERT_TRUE(port.IsOpen());
        ASSERT_TRUE(port.Write(kProductIdRequest));
        const Bytes reply = port.ReadFrame();
        ASSERT_TRUE(test::ChecksumOk(reply)) << "attempt " << attempt;
        EXPECT_EQ(reply[6], 0x90);
        EXPECT_EQ(reply[7], 0);
        EXPECT_EQ(reply[8], 12);
    }
    EXPECT_EQ(router.ReceivedFrames().size(), 2u);
}

TEST(PtySimulatorTest, DisappearMakesTheClientsReadFailAtOnce) {
    SimRouter router;
    PtySimulator simulator(router);
    ASSERT_TRUE(simulator.Start());
    Port port(simulator.DevicePath());
    ASSERT_TRUE(port.IsOpen());
    simulator.Disappear();
    // The read ends on the failed line, not on its time-out.
    EXPECT_TRUE(port.Read(1, 5000).empty());
    EXPECT_TRUE(port.lastRead == 0 || (port.lastRead < 0 && port.lastErrno == EIO))
        << port.lastRead << " errno " << port.lastErrno;
}

TEST(PtySimulatorTest, DisappearFaultCutsTheReplyShort) {
    SimRouter router;
    PtySimulator simulator(router);
    ASSERT_TRUE(simulator.Start());
    Port port(simulator.DevicePath());
    router.InjectFault({.kind = SimFault::Kind::Disappear, .param = 4});
    ASSERT_TRUE(port.Write(kProductIdRequest));
    EXPECT_EQ(port.Read(10), (Bytes{0xFF, 0xFC, 0xFC, 0xFD}));
    EXPECT_TRUE(port.lastRead == 0 || port.lastErrno == EIO);
}

TEST(PtySimulatorTest, UnsolicitedTextAndRawBytesArrive) {
    SimRouter router;
    PtySimulator simulator(router);
    ASSERT_TRUE(simulator.Start());
    Port port(simulator.DevicePath());
    simulator.SendText("Ready\r");
    const Bytes text = port.ReadFrame();
    ASSERT_TRUE(test::ChecksumOk(text));
    EXPECT_EQ(text[6], 0x7E);
    EXPECT_EQ(std::string(text.begin() + 7, text.end() - 1), "Ready\r");
    simulator.SendRaw({1, 2, 3});
    EXPECT_EQ(port.Read(3), (Bytes{1, 2, 3}));
}

// At 1200 baud and 10 bits per byte the 8-byte request crosses the line in 66.7 ms and the
// 10-byte reply in 83.3 ms, so the reply's last byte comes 150 ms after the request is written.
TEST(PtySimulatorTest, PacingSpreadsRequestAndReplyOverTheBaudRate) {
    SimRouter router;
    PtySimulator simulator(router);
    simulator.SetPacingBaud(1200);
    ASSERT_TRUE(simulator.Start());
    Port port(simulator.DevicePath());
    const auto written = Clock::now();
    ASSERT_TRUE(port.Write(kProductIdRequest));
    EXPECT_EQ(port.Read(10).size(), 10u);
    EXPECT_GE(Clock::now() - written, std::chrono::milliseconds(150));
}

TEST(PtySimulatorTest, StopIsPromptWhileAReplyIsDelayed) {
    SimRouter router;
    auto simulator = std::make_unique<PtySimulator>(router);
    ASSERT_TRUE(simulator->Start());
    Port port(simulator->DevicePath());
    router.InjectFault({.kind = SimFault::Kind::Delay, .param = kLongDelayMs});
    ASSERT_TRUE(port.Write(kProductIdRequest));
    while (router.ReceivedFrames().empty()) {
        usleep(1000);
    }
    const auto start = Clock::now();
    simulator.reset();
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(kLongDelayMs / 2));
}

// Runs zerandi-sim with the arguments and reads the device line it prints.
class Program {
public:
    explicit Program(std::vector<const char*> args) {
        std::array<int, 2> out{};
        if (pipe(out.data()) != 0) {
            return;
        }
        args.insert(args.begin(), ZERANDI_SIM_PROGRAM);
        args.push_back(nullptr);
        pid_ = fork();
        if (pid_ == 0) {
            dup2(out[1], STDOUT_FILENO);
            close(out[0]);
            execv(ZERANDI_SIM_PROGRAM, const_cast<char* const*>(args.data()));
            _exit(127);
        }
        close(out[1]);
        char c = 0;
        while (pid_ > 0 && read(out[0], &c, 1) == 1 && c != '\n') {
            line_ += c;
        }
        close(out[0]);
    }
    const std::string& Line() const { return line_; }
    // SIGTERM, then the exit status (-1 when it did not exit normally).
    int Terminate() {
        int status = 0;
        if (pid_ <= 0 || kill(pid_, SIGTERM) != 0 || waitpid(pid_, &status, 0) != pid_) {
            return -1;
        }
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    ~Program() { Terminate(); }

private:
    pid_t pid_ = -1;
    std::string line_;
};

TEST(PtySimulatorTest, ProgramPrintsTheDeviceAndServesTheModel) {
    Program program({"--model", "QS1214", "--card", "CC0263"});
    {
        Port port(program.Line());
        ASSERT_TRUE(port.IsOpen()) << program.Line();
        ASSERT_TRUE(port.Write(kProductIdRequest));
        EXPECT_EQ(port.ReadFrame().at(8), 99);
        ASSERT_TRUE(port.Write(test::RequestFrame(0x13)));
        EXPECT_EQ(test::Word(port.ReadFrame(), 7), 263);
    }
    EXPECT_EQ(program.Terminate(), 0);
}

// A pty pair stands in for the null-modem cable: the program serves one end, the test talks on
// the other.
TEST(PtySimulatorTest, ProgramServesAGivenSerialDevice) {
    int cableEnd = -1;
    int deviceEnd = -1;
    std::array<char, 128> device{};
    ASSERT_EQ(openpty(&cableEnd, &deviceEnd, device.data(), nullptr, nullptr), 0);
    termios settings{};
    tcgetattr(cableEnd, &settings);
    cfmakeraw(&settings);
    tcsetattr(cableEnd, TCSANOW, &settings);
    {
        Program program({"--model", "QR1207", "--serve", device.data(), "--baud", "38400"});
        EXPECT_EQ(program.Line(), device.data());
        ASSERT_EQ(write(cableEnd, kProductIdRequest.data(), kProductIdRequest.size()),
                  static_cast<ssize_t>(kProductIdRequest.size()));
        Bytes reply(10);
        size_t got = 0;
        while (got < reply.size()) {
            pollfd in{cableEnd, POLLIN, 0};
            ASSERT_GT(poll(&in, 1, kReplyTimeoutMs), 0) << "after " << got << " bytes";
            const std::span<uint8_t> rest = std::span(reply).subspan(got);
            const ssize_t count = read(cableEnd, rest.data(), rest.size());
            ASSERT_GT(count, 0);
            got += static_cast<size_t>(count);
        }
        EXPECT_TRUE(test::ChecksumOk(reply));
        EXPECT_EQ(reply[8], 28);
        EXPECT_EQ(program.Terminate(), 0);
    }
    close(cableEnd);
    close(deviceEnd);
}

}  // namespace
}  // namespace zsim
