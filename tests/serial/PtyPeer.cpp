#include "PtyPeer.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <stdexcept>

namespace zerandi::test {

namespace {

constexpr size_t kStreamChunkBytes = 64;

void WriteAll(int fd, const Bytes& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t count = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (count <= 0) {
            return;
        }
        done += static_cast<size_t>(count);
    }
}

void SleepMs(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace

PtyPeer::PtyPeer() {
    int slave = -1;
    std::array<char, 256> name{};
    if (::openpty(&master_, &slave, name.data(), nullptr, nullptr) != 0) {
        throw std::runtime_error("openpty failed");
    }
    // The code under test opens the slave by name; this end keeps only the master.
    ::close(slave);
    slavePath_ = QString::fromLocal8Bit(name.data());
}

PtyPeer::~PtyPeer() {
    StopStreaming();
    JoinWorker();
    CloseMaster();
}

void PtyPeer::JoinWorker() {
    if (worker_.joinable()) {
        worker_.join();
    }
}

void PtyPeer::CloseMaster() {
    if (master_ >= 0) {
        ::close(master_);
        master_ = -1;
    }
}

void PtyPeer::Write(const Bytes& bytes) {
    WriteAll(master_, bytes);
}

void PtyPeer::WriteChunksPaced(std::vector<Bytes> chunks, int pauseMs) {
    JoinWorker();
    worker_ = std::thread([this, chunks = std::move(chunks), pauseMs] {
        for (size_t i = 0; i < chunks.size(); ++i) {
            if (i > 0) {
                SleepMs(pauseMs);
            }
            WriteAll(master_, chunks[i]);
        }
    });
}

void PtyPeer::HangUpAfter(int delayMs) {
    JoinWorker();
    worker_ = std::thread([this, delayMs] {
        SleepMs(delayMs);
        CloseMaster();
    });
}

void PtyPeer::StartStreaming(int maxMs) {
    JoinWorker();
    stopStreaming_ = false;
    streaming_ = true;
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    worker_ = std::thread([this, maxMs] {
        const Bytes chunk(kStreamChunkBytes, 0x55);
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(maxMs);
        while (!stopStreaming_ && std::chrono::steady_clock::now() < end) {
            // A full tty buffer refuses the write; the stream waits a moment and goes on.
            if (::write(master_, chunk.data(), chunk.size()) <= 0) {
                SleepMs(1);
            }
        }
        streaming_ = false;
    });
}

void PtyPeer::StopStreaming() {
    stopStreaming_ = true;
    if (streaming_) {
        JoinWorker();
    }
}

Bytes PtyPeer::Read(size_t count, int timeoutMs) {
    Bytes bytes;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (bytes.size() < count) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            end - std::chrono::steady_clock::now());
        pollfd poller{master_, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&poller, 1, static_cast<int>(left.count())) <= 0) {
            break;
        }
        std::array<uint8_t, 512> chunk{};
        const ssize_t got =
            ::read(master_, chunk.data(), std::min(chunk.size(), count - bytes.size()));
        if (got <= 0) {
            break;
        }
        bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + got);
    }
    return bytes;
}

termios PtyPeer::SlaveSettings() const {
    termios settings{};
    ::tcgetattr(master_, &settings);
    return settings;
}

}  // namespace zerandi::test
