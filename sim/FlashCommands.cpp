#include "FlashCommands.h"

namespace zsim {
namespace {

// A record starts either with the component byte (a control character) or with the text of an
// S-record line, which is printable; the second layout carries one extra byte after the text.
constexpr uint8_t kFirstPrintable = 0x20;
constexpr size_t kMinRecordBytes = 2;

std::string Text(std::span<const uint8_t> bytes) {
    return std::string(bytes.begin(), bytes.end());
}

}  // namespace

// Entering the mode starts a fresh download of the component.
Frames AnswerEnterFlash(RouterState& state, const Request& request) {
    if (request.data.empty()) {
        return Refusal(request, kCountError);
    }
    state.flashMode = true;
    state.flashComponent = request.data[0];
    state.flashRecords[state.flashComponent].clear();
    return Ack(request);
}

Frames AnswerFlashRecord(RouterState& state, const Request& request) {
    const std::span<const uint8_t> data = request.data;
    if (!state.flashMode) {
        return Refusal(request, kCannotExecute);
    }
    if (data.size() < kMinRecordBytes) {
        return Refusal(request, kCountError);
    }
    const bool componentFirst = data[0] < kFirstPrintable;
    if (componentFirst && (state.refuseFlashVariant1 || data[0] != state.flashComponent)) {
        return Refusal(request, kInvalidData);
    }
    const std::span<const uint8_t> text =
        componentFirst ? data.subspan(1) : data.first(data.size() - 1);
    state.flashRecords[state.flashComponent].push_back(Text(text));
    return Ack(request);
}

Frames AnswerExitFlash(RouterState& state, const Request& request) {
    if (request.data.empty()) {
        return Refusal(request, kCountError);
    }
    if (!state.flashMode || request.data[0] != state.flashComponent) {
        return Refusal(request, kCannotExecute);
    }
    state.flashMode = false;
    state.flashCompleted.push_back(state.flashComponent);
    return Ack(request);
}

// Typed lines are kept; the card does not answer them.
Frames AnswerText(RouterState& state, const Request& request) {
    state.receivedTexts.push_back(Text(request.data));
    return {};
}

}  // namespace zsim
