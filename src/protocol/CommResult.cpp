#include "protocol/CommResult.h"

namespace zerandi {

namespace {

// Codes the link does not produce today, kept so that every value has a defined result.
constexpr int kFirstShiftedLinkCode = 11;
constexpr int kLastShiftedLinkCode = 27;
constexpr int kLinkCodeShift = 3;

CommResult FromUnlistedLinkCode(int code) {
    switch (code) {
        case 2:
        case 3:
        case 5:
        case 6:
        case 7:
            return static_cast<CommResult>(code);
        case 8:
        case 9:
            return CommResult::Timeout;
        default:
            break;
    }
    if (code >= kFirstShiftedLinkCode && code <= kLastShiftedLinkCode) {
        return static_cast<CommResult>(code - kLinkCodeShift);
    }
    return CommResult::Failure;
}

}  // namespace

CommResult CommResultFromLinkStatus(LinkStatus status) {
    switch (status) {
        case LinkStatus::Received:
            return CommResult::Success;
        case LinkStatus::TimeoutNotSet:
            return CommResult::Failure;
        case LinkStatus::Timeout:
            return CommResult::Timeout;
        case LinkStatus::ReadException:
            return CommResult::ReadException;
        case LinkStatus::WrongStartByte:
            return CommResult::WrongStartByte;
        case LinkStatus::BufferTooSmall:
            return CommResult::ReplyTooLarge;
        case LinkStatus::ReadFailed:
            return CommResult::ReadFailed;
        case LinkStatus::TruncatedBody:  // a body that stopped short cannot pass its checksum
            return CommResult::BadChecksum;
    }
    return FromUnlistedLinkCode(static_cast<int>(status));
}

}  // namespace zerandi
