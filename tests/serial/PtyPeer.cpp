#include "PtyPeer.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <stdexcept>

namespace zerandi::test {

namespace {

constexpr size_t kStreamChunkBytes = 64;

void SleepMs(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace

PtyPeer::PtyPeer() {
    if (!pty_.IsOpen()) {
        throw std::runtime_error("openpty failed");
    }
    // The code under test opens the slave by name; this end keeps only the master.
    pty_.CloseSlave();
}

PtyPeer::~PtyPeer() {
    StopStreaming();
    JoinWorker();
}

void PtyPeer::JoinWorker() {
    if (worker_.joinable()) {
        worker_.join();
    }
}

void PtyPeer::Write(const Bytes& bytes) {
    pty_.WriteToMaster(bytes);
}

void PtyPeer::WriteChunksPaced(std::vector<Bytes> chunks, int pauseMs) {
    JoinWorker();
    worker_ = std::thread([this, chunks = std::move(chunks), pauseMs] {
        for (size_t i = 0; i < chunks.size(); ++i) {
            if (i > 0) {
                SleepMs(pauseMs);
            }
            pty_.WriteToMaster(chunks[i]);
        }
    });
}

void PtyPeer::HangUpAfter(int delayMs) {
    JoinWorker();
    worker_ = std::thread([this, delayMs] {
        SleepMs(delayMs);
        pty_.CloseMaster();
    });
}

void PtyPeer::StartStreaming(int maxMs) {
    JoinWorker();
    stopStreaming_ = false;
    streaming_ = true;
    ::fcntl(pty_.Master(), F_SETFL, ::fcntl(pty_.Master(), F_GETFL) | O_NONBLOCK);
    worker_ = std::thread([this, maxMs] {
        const Bytes chunk(kStreamChunkBytes, 0x55);
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(maxMs);
        while (!stopStreaming_ && std::chrono::steady_clock::now() < end) {
            // A full tty buffer refuses the write; the stream waits a moment and goes on.
            if (::write(pty_.Master(), chunk.data(), chunk.size()) <= 0) {
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
        pollfd poller{pty_.Master(), POLLIN, 0};
        if (left.count() <= 0 || ::poll(&poller, 1, static_cast<int>(left.count())) <= 0) {
            break;
        }
        std::array<uint8_t, 512> chunk{};
        const ssize_t got =
            ::read(pty_.Master(), chunk.data(), std::min(chunk.size(), count - bytes.size()));
        if (got <= 0) {
            break;
        }
        bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + got);
    }
    return bytes;
}

termios PtyPeer::SlaveSettings() const {
    termios settings{};
    ::tcgetattr(pty_.Master(), &settings);
    return settings;
}

}  // namespace zerandi::test
