#pragma once

#include <QString>
#include <cstdint>
#include <span>
#include <vector>

namespace zerandi {

// One frame of a communication log, named and decoded.
struct DecodedFrame {
    QString direction;    // "sent", "received" or "not sent"
    QString time;         // the last time the log wrote before the frame; empty when none
    QString command;      // e.g. "Take", "reply to Take", "refusal"
    int subCommand = -1;  // the first data byte of a request; -1 for a reply or none
    QString fields;       // decoded fields, e.g. "source 12, destination 7"
    bool checksumOk = false;
    bool complete = false;  // false when the bytes stop before the frame's length says
};

// Every frame of a communication log, as CommLogReader reads it, named and decoded.
std::vector<DecodedFrame> DecodeCommLog(const QString& logText);

// The name and fields of one frame's bytes.
DecodedFrame DecodeFrameBytes(std::span<const uint8_t> bytes);

}  // namespace zerandi
