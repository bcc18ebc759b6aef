#pragma once

#include <string>

namespace zsim {

// One way for the simulated card to misbehave, for the next `times` requests that match
// `command` (and `subCommand`, the first data byte). Faults that replace the answer (the
// refusals, Silence, Disappear before answering) also keep the request from taking effect.
struct SimFault {
    enum class Kind {
        Busy,             // answer 0x80 code 10
        Refuse,           // answer 0x80 with code = param (any byte, incl. 0 and >10)
        SequenceError,    // answer 0x81
        AsciiError,       // answer 0x8F
        CorruptChecksum,  // the reply's checksum byte is wrong
        CorruptDataByte,  // one data byte of the reply flipped, checksum left as computed before
        WrongStartByte,   // the reply's first byte is not 0xFF (rest is a valid frame)
        OversizeLength,   // a header whose length byte = param, then a body of that size (none for
                          // 255)
        TruncatedBody,    // the reply with its last `param` bytes missing (param >= 1)
        Silence,          // no answer at all
        Delay,            // answer after param milliseconds
        Noise,            // `param` random non-0xFF bytes before the reply
        UnexpectedReply,  // a well-formed frame with an unrelated command (0x99) before the reply
        UnsolicitedText,  // a 0x7E text frame (text in `text`) before the reply
        Disappear,        // close the line: param 0 = before answering, n > 0 = after n reply bytes
        Forget,           // answer as usual, but leave the router as it was (a take not made)
    };
    Kind kind;
    int param = 0;
    int command = -1;     // only requests with this command byte (-1: any)
    int subCommand = -1;  // and this first data byte (-1: any)
    int times = 1;        // applies to the next `times` matching requests
    std::string text{};
    int replyIndex = 0;  // for commands answered by several frames: the frame the fault hits
    int skip = 0;        // lets this many matching requests pass untouched first
};

}  // namespace zsim
