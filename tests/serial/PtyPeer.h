#pragma once

#include <termios.h>

#include <QString>
#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

#include "support/PtyPair.h"

namespace zerandi::test {

// How long a test waits for a reply on the line.
inline constexpr uint32_t kReplyTimeoutMs = 1000;

using Bytes = std::vector<uint8_t>;

// The far end of a pseudo-terminal: the test holds the master side and the code under
// test opens the slave by its path, so bytes pass through the real tty layer.
class PtyPeer {
public:
    PtyPeer();
    ~PtyPeer();
    PtyPeer(const PtyPeer&) = delete;
    PtyPeer& operator=(const PtyPeer&) = delete;

    QString SlavePath() const { return pty_.SlavePath(); }

    void Write(const Bytes& bytes);
    // Writes the first chunk now and each further one after `pauseMs`, from a thread.
    void WriteChunksPaced(std::vector<Bytes> chunks, int pauseMs);
    // Closes the master side after `delayMs`, from a thread: the slave hangs up.
    void HangUpAfter(int delayMs);
    // Sends without pause until StopStreaming() or `maxMs` have passed.
    void StartStreaming(int maxMs);
    void StopStreaming();
    bool Streaming() const { return streaming_; }

    // What the slave side sent, waiting up to `timeoutMs` for `count` bytes.
    Bytes Read(size_t count, int timeoutMs);
    // The slave's line settings, read through the master.
    termios SlaveSettings() const;

private:
    void JoinWorker();

    PtyPair pty_;
    std::thread worker_;
    std::atomic<bool> streaming_ = false;
    std::atomic<bool> stopStreaming_ = false;
};

}  // namespace zerandi::test
