#include "protocol/CraftedReplyPeer.h"

#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>

namespace zerandi::test {

namespace {

constexpr int kPollMs = 10;
constexpr size_t kHeaderSize = 6;
constexpr size_t kLengthOffset = 5;
constexpr size_t kFrameOverhead = 7;
constexpr uint8_t kStartByte = 0xFF;

}  // namespace

CraftedReplyPeer::CraftedReplyPeer() {
    if (!pty_.IsOpen()) {
        return;
    }
    termios settings{};
    tcgetattr(pty_.Slave(), &settings);
    cfmakeraw(&settings);
    tcsetattr(pty_.Slave(), TCSANOW, &settings);
    thread_ = std::thread([this] { Run(); });
}

CraftedReplyPeer::~CraftedReplyPeer() {
    stop_ = true;
    if (thread_.joinable()) {
        thread_.join();
    }
}

void CraftedReplyPeer::AnswerNext(std::vector<uint8_t> bytes) {
    std::lock_guard guard(lock_);
    answers_.push_back(std::move(bytes));
}

std::vector<std::vector<uint8_t>> CraftedReplyPeer::Requests() const {
    std::lock_guard guard(lock_);
    return requests_;
}

void CraftedReplyPeer::Run() {
    std::array<uint8_t, 512> chunk{};
    while (!stop_) {
        pollfd poller{pty_.Master(), POLLIN, 0};
        if (poll(&poller, 1, kPollMs) <= 0 || (poller.revents & POLLIN) == 0) {
            continue;
        }
        const ssize_t count = read(pty_.Master(), chunk.data(), chunk.size());
        if (count <= 0) {
            continue;
        }
        pending_.insert(pending_.end(), chunk.begin(), chunk.begin() + count);
        TakeRequests();
    }
}

void CraftedReplyPeer::TakeRequests() {
    for (;;) {
        const auto start = std::find(pending_.begin(), pending_.end(), kStartByte);
        pending_.erase(pending_.begin(), start);
        if (pending_.size() < kHeaderSize) {
            return;
        }
        const size_t frameSize = pending_[kLengthOffset] + kFrameOverhead;
        if (pending_.size() < frameSize) {
            return;
        }
        std::vector<uint8_t> answer;
        {
            std::lock_guard guard(lock_);
            requests_.emplace_back(pending_.begin(), pending_.begin() + frameSize);
            if (!answers_.empty()) {
                answer = std::move(answers_.front());
                answers_.pop_front();
            }
        }
        pending_.erase(pending_.begin(), pending_.begin() + frameSize);
        pty_.WriteToMaster(answer);
    }
}

}  // namespace zerandi::test
