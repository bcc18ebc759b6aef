#include "FaultInjector.h"

#include <algorithm>

namespace zsim {
namespace {

constexpr uint8_t kUnrelatedCommand = 0x99;
constexpr uint8_t kWrongStartByte = 0xFE;
constexpr uint8_t kNoBodyLength = 255;  // a header whose announced body cannot be read anyway

using Kind = SimFault::Kind;

std::vector<uint8_t> Join(Frames::const_iterator first, Frames::const_iterator last) {
    std::vector<uint8_t> bytes;
    for (auto frame = first; frame != last; ++frame) {
        bytes.insert(bytes.end(), frame->begin(), frame->end());
    }
    return bytes;
}

// The frames sent in order, with one pause in front of frame `pauseBefore`.
std::vector<WireAction> SendWithPause(const Frames& frames, size_t pauseBefore, int pauseMs) {
    const auto split = frames.begin() + static_cast<std::ptrdiff_t>(pauseBefore);
    std::vector<WireAction> actions;
    if (split != frames.begin()) {
        actions.push_back({WireAction::Kind::Send, Join(frames.begin(), split), 0});
    }
    actions.push_back({WireAction::Kind::Pause, {}, pauseMs});
    if (split != frames.end()) {
        actions.push_back({WireAction::Kind::Send, Join(split, frames.end()), 0});
    }
    return actions;
}

std::vector<WireAction> SendAll(const Frames& frames) {
    const std::vector<uint8_t> bytes = Join(frames.begin(), frames.end());
    if (bytes.empty()) {
        return {};
    }
    return {{WireAction::Kind::Send, bytes, 0}};
}

std::vector<WireAction> SendThenClose(std::vector<uint8_t> bytes) {
    std::vector<WireAction> actions;
    if (!bytes.empty()) {
        actions.push_back({WireAction::Kind::Send, std::move(bytes), 0});
    }
    actions.push_back({WireAction::Kind::Close, {}, 0});
    return actions;
}

// Gone before frame `at` (byteCount 0), or after the first byteCount bytes of the answer.
std::vector<WireAction> Vanish(const Frames& frames, size_t at, int byteCount) {
    const auto position = frames.begin() + static_cast<std::ptrdiff_t>(at);
    std::vector<uint8_t> bytes = Join(frames.begin(), byteCount == 0 ? position : frames.end());
    if (byteCount > 0) {
        bytes.resize(std::min<size_t>(bytes.size(), byteCount));
    }
    return SendThenClose(std::move(bytes));
}

std::vector<uint8_t> OversizeFrame(const Request& request, uint8_t command, int length) {
    const auto lengthByte = static_cast<uint8_t>(length);
    std::vector<uint8_t> frame{kStartByte};
    frame.insert(frame.end(), request.address.begin(), request.address.end());
    frame.push_back(lengthByte);
    if (lengthByte != kNoBodyLength) {
        frame.push_back(command);
        frame.resize(frame.size() + std::max(0, lengthByte - 1), 0);
        frame.push_back(FrameChecksum(frame));
    }
    return frame;
}

Frames RefusalFor(const Request& request, const SimFault& fault) {
    switch (fault.kind) {
        case Kind::Busy:
            return Refusal(request, kBusy);
        case Kind::SequenceError:
            return {ReplyFrame(request, kSequenceErrorCommand, {})};
        case Kind::AsciiError:
            return {ReplyFrame(request, kAsciiErrorCommand, {})};
        default:
            return Refusal(request, static_cast<uint8_t>(fault.param));
    }
}

// Changes the frame the fault hits; false when the fault does not change single frames.
bool DamageFrame(const SimFault& fault, const Request& request, std::vector<uint8_t>& frame) {
    switch (fault.kind) {
        case Kind::CorruptChecksum:
            ++frame.back();
            return true;
        case Kind::CorruptDataByte:
            frame[frame.size() - 2] ^= 0x01;
            return true;
        case Kind::WrongStartByte:
            frame.front() = kWrongStartByte;
            return true;
        case Kind::OversizeLength:
            frame = OversizeFrame(request, frame[kCommandOffset], fault.param);
            return true;
        case Kind::TruncatedBody:
            frame.resize(frame.size() - std::min<size_t>(frame.size(), std::max(fault.param, 1)));
            return true;
        default:
            return false;
    }
}

bool EndsTheAnswer(Kind kind) {
    return kind == Kind::OversizeLength || kind == Kind::TruncatedBody;
}

}  // namespace

void FaultInjector::Add(const SimFault& fault) {
    if (fault.times > 0) {
        faults_.push_back(fault);
    }
}

bool FaultInjector::Matches(const SimFault& fault, const Request& request) {
    return (fault.command < 0 || fault.command == request.command) &&
           (fault.subCommand < 0 || fault.subCommand == request.SubCommand());
}

std::optional<SimFault> FaultInjector::Take(const Request& request) {
    const auto fault = std::find_if(faults_.begin(), faults_.end(),
                                    [&](const SimFault& f) { return Matches(f, request); });
    if (fault == faults_.end()) {
        return std::nullopt;
    }
    if (fault->skip > 0) {
        --fault->skip;
        return std::nullopt;
    }
    SimFault taken = *fault;
    if (--fault->times <= 0) {
        faults_.erase(fault);
    }
    return taken;
}

bool FaultInjector::SuppressesRequest(const SimFault& fault) {
    if (fault.replyIndex > 0) {
        return false;
    }
    switch (fault.kind) {
        case Kind::Busy:
        case Kind::Refuse:
        case Kind::SequenceError:
        case Kind::AsciiError:
        case Kind::Silence:
            return true;
        case Kind::Disappear:
            return fault.param == 0;
        default:
            return false;
    }
}

std::vector<uint8_t> FaultInjector::NoiseBytes(int count) {
    std::uniform_int_distribution<int> byte(0, kStartByte - 1);
    std::vector<uint8_t> noise;
    for (int i = 0; i < count; ++i) {
        noise.push_back(static_cast<uint8_t>(byte(random_)));
    }
    return noise;
}

// A frame the card sends in front of its answer.
std::vector<uint8_t> FaultInjector::Interjection(const SimFault& fault, const Request& request) {
    switch (fault.kind) {
        case Kind::Noise:
            return NoiseBytes(fault.param);
        case Kind::UnsolicitedText:
            return TextFrames(request.address, fault.text);
        default:
            return ReplyFrame(request, kUnrelatedCommand, std::vector<uint8_t>{0});
    }
}

std::vector<WireAction> FaultInjector::Apply(const std::optional<SimFault>& fault,
                                             const Request& request, Frames frames) {
    if (!fault) {
        return SendAll(frames);
    }
    const size_t at = std::min<size_t>(std::max(fault->replyIndex, 0), frames.size());
    const auto position = frames.begin() + static_cast<std::ptrdiff_t>(at);
    switch (fault->kind) {
        case Kind::Busy:
        case Kind::Refuse:
        case Kind::SequenceError:
        case Kind::AsciiError:
            frames.erase(position, frames.end());
            frames.push_back(RefusalFor(request, *fault).front());
            return SendAll(frames);
        case Kind::Silence:
            frames.erase(position, frames.end());
            return SendAll(frames);
        case Kind::Delay:
            return SendWithPause(frames, at, fault->param);
        case Kind::Disappear:
            return Vanish(frames, at, fault->param);
        case Kind::Noise:
        case Kind::UnexpectedReply:
        case Kind::UnsolicitedText:
            frames.insert(position, Interjection(*fault, request));
            return SendAll(frames);
        default:
            break;
    }
    if (at < frames.size() && DamageFrame(*fault, request, frames[at]) &&
        EndsTheAnswer(fault->kind)) {
        frames.resize(at + 1);
    }
    return SendAll(frames);
}

}  // namespace zsim
