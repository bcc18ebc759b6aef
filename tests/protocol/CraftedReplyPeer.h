#pragma once

#include <QString>
#include <atomic>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "support/PtyPair.h"

namespace zerandi::test {

// The far end of a pseudo-terminal that answers each request frame with the next
// scripted bytes, exactly as given: for replies no honest router would send.
class CraftedReplyPeer {
public:
    CraftedReplyPeer();
    ~CraftedReplyPeer();
    CraftedReplyPeer(const CraftedReplyPeer&) = delete;
    CraftedReplyPeer& operator=(const CraftedReplyPeer&) = delete;

    bool IsReady() const { return pty_.IsOpen(); }
    QString DevicePath() const { return pty_.SlavePath(); }
    // The bytes to send in answer to the next request (several frames for a multi-reply
    // read); a request with nothing scripted gets no answer.
    void AnswerNext(std::vector<uint8_t> bytes);
    std::vector<std::vector<uint8_t>> Requests() const;

private:
    void Run();
    void TakeRequests();

    PtyPair pty_;  // the slave stays open: the master never sees a hang-up between openings
    std::atomic<bool> stop_{false};
    mutable std::mutex lock_;
    std::deque<std::vector<uint8_t>> answers_;
    std::vector<std::vector<uint8_t>> requests_;
    std::vector<uint8_t> pending_;
    std::thread thread_;
};

}  // namespace zerandi::test
