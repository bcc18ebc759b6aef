#include "WireServer.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <array>
#include <cerrno>

namespace zsim {
namespace {

constexpr int kPollIntervalMs = 50;
// A request left unfinished this long is dropped, as a card's receiver would after a gap.
constexpr std::chrono::milliseconds kPartialRequestTimeoutMs{500};
constexpr std::chrono::milliseconds kDisappearWaitMs{2000};
// Before vanishing mid-reply: time for written bytes to reach the client's queue, how long to
// wait for the client to read them, and how often to look.
constexpr std::chrono::milliseconds kPeerSettleMs{10};
constexpr std::chrono::milliseconds kPeerReadWaitMs{1000};
constexpr std::chrono::milliseconds kPeerPollMs{2};
constexpr int kBitsPerByte = 10;  // start, eight data, stop
// How often a paced line hands received bytes to the client, as a serial driver does.
constexpr std::chrono::microseconds kDeliveryInterval{1000};
constexpr size_t kReadChunkBytes = 512;
constexpr uint64_t kMicrosPerSecond = 1000000;

bool WouldBlock(int error) {
    return error == EAGAIN || error == EWOULDBLOCK || error == EINTR;
}

}  // namespace

WireServer::WireServer(SimRouter& router) : router_(router) {}

WireServer::~WireServer() {
    Stop();
    for (int& fd : wakePipe_) {
        if (fd >= 0) {
            close(fd);
            fd = -1;
        }
    }
}

bool WireServer::Start(int ioFd, std::vector<int> ownedFds, int peerFd) {
    if (thread_.joinable() || (wakePipe_[0] < 0 && pipe2(wakePipe_, O_NONBLOCK | O_CLOEXEC) != 0)) {
        return false;
    }
    ioFd_ = ioFd;
    peerFd_ = peerFd;
    ownedFds_ = std::move(ownedFds);
    stop_ = false;
    disappear_ = false;
    gone_ = false;
    lastReceived_ = Clock::now();
    thread_ = std::thread(&WireServer::Run, this);
    return true;
}

void WireServer::Stop() {
    stop_ = true;
    Wake();
    if (thread_.joinable()) {
        thread_.join();
    }
    CloseLine();
}

void WireServer::Disappear() {
    if (!thread_.joinable()) {
        CloseLine();
        return;
    }
    disappear_ = true;
    Wake();
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, kDisappearWaitMs, [this] { return gone_.load(); });
}

bool WireServer::Gone() const {
    return gone_;
}

void WireServer::Send(std::vector<uint8_t> bytes) {
    {
        std::lock_guard lock(mutex_);
        outbox_.push_back(std::move(bytes));
    }
    Wake();
}

void WireServer::Wake() {
    {
        std::lock_guard lock(mutex_);
        changed_.notify_all();
    }
    if (wakePipe_[1] >= 0) {
        const uint8_t token = 1;
        [[maybe_unused]] const ssize_t written = write(wakePipe_[1], &token, 1);
    }
}

bool WireServer::Interrupted() const {
    return stop_ || disappear_ || gone_;
}

void WireServer::Run() {
    while (!stop_ && !gone_) {
        std::array<pollfd, 2> fds{pollfd{ioFd_, POLLIN, 0}, pollfd{wakePipe_[0], POLLIN, 0}};
        const int ready = poll(fds.data(), fds.size(), kPollIntervalMs);
        if (fds[1].revents & POLLIN) {
            std::array<uint8_t, 64> drain;
            while (read(wakePipe_[0], drain.data(), drain.size()) > 0) {
            }
        }
        if (disappear_) {
            CloseLine();
            break;
        }
        SendQueued();
        if (ready > 0 && (fds[0].revents & POLLIN)) {
            ReadRequests();
        } else if (ready > 0 && (fds[0].revents & (POLLHUP | POLLERR))) {
            WaitUntil(Clock::now() + std::chrono::milliseconds(kPollIntervalMs));
        }
        if (router_.HasPartialRequest() &&
            Clock::now() - lastReceived_ > kPartialRequestTimeoutMs) {
            router_.DiscardPartialRequest();
        }
    }
}

void WireServer::ReadRequests() {
    std::array<uint8_t, kReadChunkBytes> buffer;
    const ssize_t count = read(ioFd_, buffer.data(), buffer.size());
    if (count > 0) {
        lastReceived_ = Clock::now();
        if (!AwaitLineTime(static_cast<size_t>(count))) {
            return;
        }
        Carry(router_.Feed(std::span(buffer).first(static_cast<size_t>(count))));
    } else if (count == 0) {
        // End of file: a network client closed its connection.
        CloseLine();
    } else if (count < 0 && errno == EIO) {
        // No client holds the line open: nothing to read until one does.
        WaitUntil(Clock::now() + std::chrono::milliseconds(kPollIntervalMs));
    } else if (count < 0 && !WouldBlock(errno)) {
        CloseLine();
    }
}

void WireServer::Carry(const std::vector<WireAction>& actions) {
    bool sent = false;
    for (const WireAction& action : actions) {
        if (Interrupted()) {
            return;
        }
        switch (action.kind) {
            case WireAction::Kind::Send:
                Write(action.bytes);
                sent = true;
                break;
            case WireAction::Kind::Pause:
                WaitUntil(Clock::now() + std::chrono::milliseconds(action.pauseMs));
                break;
            case WireAction::Kind::Close:
                if (sent) {
                    AwaitPeerRead();
                }
                CloseLine();
                break;
        }
    }
}

// Lets the sent bytes reach the client's side, then waits (bounded) until it has read them.
void WireServer::AwaitPeerRead() {
    if (peerFd_ < 0 || !WaitUntil(Clock::now() + kPeerSettleMs)) {
        return;
    }
    const auto deadline = Clock::now() + kPeerReadWaitMs;
    int waiting = 0;
    while (ioctl(peerFd_, FIONREAD, &waiting) == 0 && waiting > 0 && Clock::now() < deadline) {
        if (!WaitUntil(Clock::now() + kPeerPollMs)) {
            return;
        }
    }
}

void WireServer::SendQueued() {
    std::vector<std::vector<uint8_t>> queued;
    {
        std::lock_guard lock(mutex_);
        queued.swap(outbox_);
    }
    for (const auto& bytes : queued) {
        Write(bytes);
    }
}

// A paced card has a request only once its bytes have crossed the line; false when stopped.
bool WireServer::AwaitLineTime(size_t byteCount) {
    const uint32_t baud = pacingBaud_;
    if (baud == 0) {
        return true;
    }
    return WaitUntil(Clock::now() +
                     std::chrono::microseconds(byteCount * kBitsPerByte * kMicrosPerSecond / baud));
}

// Paced bytes keep to a schedule from the first byte, so sleeping late does not add up; no
// byte reaches the client before its own line time has passed. Like a UART's receive FIFO,
// bytes due within one delivery interval arrive together, when the last of them is due.
void WireServer::Write(const std::vector<uint8_t>& bytes) {
    const uint32_t baud = pacingBaud_;
    if (baud == 0) {
        WriteAll(bytes);
        return;
    }
    const auto start = Clock::now();
    const auto due = [&](size_t index) {
        return start +
               std::chrono::microseconds((index + 1) * kBitsPerByte * kMicrosPerSecond / baud);
    };
    size_t first = 0;
    while (first < bytes.size()) {
        size_t last = first;
        while (last + 1 < bytes.size() && due(last + 1) - due(first) < kDeliveryInterval) {
            ++last;
        }
        if (!WaitUntil(due(last)) || !WriteAll(std::span(bytes).subspan(first, last - first + 1))) {
            return;
        }
        first = last + 1;
    }
}

bool WireServer::WriteAll(std::span<const uint8_t> bytes) {
    while (!bytes.empty() && !Interrupted()) {
        const ssize_t written = write(ioFd_, bytes.data(), bytes.size());
        if (written > 0) {
            bytes = bytes.subspan(static_cast<size_t>(written));
        } else if (written < 0 && !WouldBlock(errno)) {
            return false;
        } else {
            pollfd out{ioFd_, POLLOUT, 0};
            poll(&out, 1, kPollIntervalMs);
        }
    }
    return bytes.empty();
}

bool WireServer::WaitUntil(Clock::time_point deadline) {
    std::unique_lock lock(mutex_);
    return !changed_.wait_until(lock, deadline, [this] { return Interrupted(); });
}

void WireServer::CloseLine() {
    std::lock_guard lock(mutex_);
    for (const int fd : ownedFds_) {
        close(fd);
    }
    ownedFds_.clear();
    if (ioFd_ >= 0) {
        gone_ = true;
    }
    ioFd_ = -1;
    changed_.notify_all();
}

}  // namespace zsim
