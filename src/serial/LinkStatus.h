#pragma once

namespace zerandi {

// Result of a framed read of the link.
enum class LinkStatus : int {
    Received = 0,         // a whole frame arrived
    TimeoutNotSet = 1,    // the read time-out for this read could not be set
    Timeout = 4,          // nothing, or an incomplete header, within the time-out
    ReadException = 10,   // the read raised an exception
    WrongStartByte = 29,  // the first byte was not the start byte
    BufferTooSmall = 30,  // the caller's buffer is smaller than the header or the frame
    ReadFailed = 31,      // an operating-system read call failed
    TruncatedBody = 32,   // the header arrived but the body stopped short
};

}  // namespace zerandi
