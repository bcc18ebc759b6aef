#pragma once

#include "serial/LinkStatus.h"

namespace zerandi {

// Result of every transaction with the router; 0 is success.
enum class CommResult : int {
    Success = 0,
    Failure = 1,               // unspecified: the read time-out could not be set, or a bad call
    NoCommChannel = 2,         // reserved for a link that can report it
    TransmitFailure = 3,       // the request could not be written
    Timeout = 4,               // no reply, or an incomplete reply header, in time
    InvalidSize = 5,           // the reply's length byte exceeds the reply buffer
    BadChecksum = 6,           // the reply's checksum is wrong, or its body stopped short
    ReplyMismatch = 7,         // the reply does not match the request
    UndefinedError = 8,        // refusal 0x80 with an unknown error code
    InvalidData = 9,           // refusal 0x80, code 1
    CannotExecute = 10,        // refusal 0x80, code 2
    RouterChecksumError = 11,  // refusal 0x80, code 3: the router found our checksum wrong
    UnknownCommand = 12,       // refusal 0x80, code 4
    CommPortOverrun = 13,      // refusal 0x80, code 5
    CountError = 14,           // refusal 0x80, code 6; also a reply too short for what it claims
    UnmappedError = 15,        // refusal 0x80, code 7
    ParityError = 16,          // refusal 0x80, code 8
    NotSupported = 17,         // refusal 0x80, code 9
    Busy = 18,                 // refusal 0x80, code 10 (retried)
    SequenceError = 19,        // refusal 0x81
    AsciiErrorMessage = 20,    // refusal 0x8F
    LinkCode21 = 21,           // 21 to 24: only reached from unlisted link status codes
    LinkCode22 = 22,
    LinkCode23 = 23,
    LinkCode24 = 24,
    WrongStartByte = 25,  // the reply's first byte was not 0xFF
    ReadException = 26,   // the read raised an exception
    ReplyTooLarge = 27,   // the reply's header announces more than the reply buffer holds
    ReadFailed = 28,      // the read call failed (or the device went away)
};

// Turns the result of a framed read into the result of a transaction.
CommResult CommResultFromLinkStatus(LinkStatus status);

}  // namespace zerandi
