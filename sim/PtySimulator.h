#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "SimRouter.h"
#include "WireServer.h"

namespace zsim {

// Serves a SimRouter on the master side of a pseudo-terminal, in its own thread. The slave
// side (DevicePath) is opened by the client as its serial port; the simulator keeps the slave
// open too, so the client may close and reopen it without the line hanging up.
class PtySimulator {
public:
    explicit PtySimulator(SimRouter& router);
    ~PtySimulator();
    PtySimulator(const PtySimulator&) = delete;
    PtySimulator& operator=(const PtySimulator&) = delete;

    // Opens the pseudo-terminal, puts both ends in raw mode and starts serving.
    bool Start();
    // The slave path, e.g. /dev/pts/5; empty before Start.
    std::string DevicePath() const { return path_; }
    void Stop();
    // Closes every end the simulator holds: the client's reads and writes fail at once.
    void Disappear();
    // 0 = no pacing; otherwise bytes go out at 10 bits per byte at this rate.
    void SetPacingBaud(uint32_t baud);
    // An unsolicited text message (0x7E frames).
    void SendText(const std::string& text);
    void SendRaw(const std::vector<uint8_t>& bytes);

private:
    SimRouter& router_;
    WireServer server_;
    std::string path_;
};

}  // namespace zsim
