#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <span>
#include <thread>
#include <vector>

#include "SimRouter.h"

namespace zsim {

// Serves a SimRouter on a file descriptor (a pty master, a serial port or a TCP connection) in
// its own thread:
// reads requests, carries out the card's wire actions, optionally paced at a baud rate.
class WireServer {
public:
    explicit WireServer(SimRouter& router);
    ~WireServer();
    WireServer(const WireServer&) = delete;
    WireServer& operator=(const WireServer&) = delete;

    // Serves on ioFd (non-blocking) and closes every fd of ownedFds when the line goes away
    // or the server stops. peerFd, when the server holds the client's end too (a pty slave),
    // lets a fault that vanishes mid-reply wait until the client has read the bytes sent, as
    // closing the line discards what the client has not read yet. False if it runs already or
    // the thread cannot start.
    bool Start(int ioFd, std::vector<int> ownedFds, int peerFd = -1);
    // Ends the thread promptly and closes the owned fds.
    void Stop();
    // Closes the owned fds now, as if the device were unplugged; returns once they are closed.
    void Disappear();
    bool Gone() const;
    void SetPacingBaud(uint32_t baud) { pacingBaud_ = baud; }
    // Sends bytes of its own (unsolicited), in turn with the replies.
    void Send(std::vector<uint8_t> bytes);

private:
    using Clock = std::chrono::steady_clock;

    void Run();
    void ReadRequests();
    void Carry(const std::vector<WireAction>& actions);
    bool AwaitLineTime(size_t byteCount);
    void Write(const std::vector<uint8_t>& bytes);
    bool WriteAll(std::span<const uint8_t> bytes);
    void SendQueued();
    // Waits until the deadline; false when the server must stop serving first.
    bool WaitUntil(Clock::time_point deadline);
    bool Interrupted() const;
    void Wake();
    void CloseLine();
    void AwaitPeerRead();

    SimRouter& router_;
    int ioFd_ = -1;
    int peerFd_ = -1;
    std::vector<int> ownedFds_;
    int wakePipe_[2] = {-1, -1};
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> disappear_{false};
    std::atomic<bool> gone_{false};
    std::atomic<uint32_t> pacingBaud_{0};
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::vector<uint8_t>> outbox_;
    Clock::time_point lastReceived_;
};

}  // namespace zsim
