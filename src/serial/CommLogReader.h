#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "serial/CommLogFormat.h"

namespace zerandi {

// One frame as the communication log shows it.
struct CommLogFrame {
    comm_log::Direction direction = comm_log::Direction::Sent;
    QString time;  // the last time the log wrote before the frame; empty when none
    std::vector<uint8_t> bytes;
};

// Splits a communication log, as CommLog writes it, into its frames. Lines that are not
// frames (port opened, log started) only set the time; a frame's bytes may continue on the
// indented lines after it, and each line's bytes stop at the first text that is not a byte.
class CommLogReader {
public:
    static std::vector<CommLogFrame> ReadFrames(const QString& logText);

private:
    void ReadLine(const QString& line);
    bool ContinuesFrame(const QString& line) const;
    void FinishFrame();

    QString time_;
    std::optional<CommLogFrame> frame_;
    std::vector<CommLogFrame> frames_;
};

}  // namespace zerandi
