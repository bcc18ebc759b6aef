#include "CrosspointCommands.h"

namespace zsim {
namespace {

constexpr uint8_t kCrosspoints = 0;
constexpr uint8_t kMonitors = 1;
constexpr uint16_t kTriStateSource = 0xF3F3;
constexpr uint16_t kDataSourceMask = 0x0FFF;  // data routers carry flags in the top four bits
constexpr size_t kTakeDataBytes = 5;          // sub, source word, destination word
constexpr size_t kTimestampOffset = 5;
constexpr size_t kStatusDataBytes = 5;  // sub, start word, count word
constexpr uint16_t kMaxStatusCount = 64;

bool InRange(unsigned number, size_t count) {
    return number >= 1 && number <= count;
}

bool SourceValid(const RouterState& state, uint16_t source) {
    if (state.triState && source == kTriStateSource) {
        return true;
    }
    const uint16_t number = state.dataRouter ? source & kDataSourceMask : source;
    return InRange(number, state.inputs);
}

Frames Take(RouterState& state, const Request& request, uint16_t source, uint16_t destination) {
    if (!InRange(destination, state.crosspoints.size()) || !SourceValid(state, source)) {
        return Refusal(request, kInvalidData);
    }
    state.crosspoints[destination - 1] = source;
    if (request.data.size() >= kTimestampOffset + 2) {
        state.health.lastTimestamp = WordAt(request.data, kTimestampOffset);
    }
    return DataReply(request, std::span(request.data).first(kTakeDataBytes));
}

Frames SetMonitor(RouterState& state, const Request& request, uint16_t output, uint16_t monitor) {
    if (!InRange(monitor, state.monitors.size()) || !InRange(output, state.outputs)) {
        return Refusal(request, kInvalidData);
    }
    state.monitors[monitor - 1] = output;
    return DataReply(request, std::span(request.data).first(kTakeDataBytes));
}

}  // namespace

Frames AnswerTake(RouterState& state, const Request& request) {
    if (request.data.size() < kTakeDataBytes) {
        return Refusal(request, kCountError);
    }
    const uint16_t source = WordAt(request.data, 1);
    const uint16_t destination = WordAt(request.data, 3);
    if (request.SubCommand() == kCrosspoints) {
        return Take(state, request, source, destination);
    }
    if (request.SubCommand() == kMonitors) {
        return SetMonitor(state, request, source, destination);
    }
    return Refusal(request, kInvalidData);
}

Frames AnswerCrosspointStatus(RouterState& state, const Request& request) {
    if (request.data.size() < kStatusDataBytes) {
        return Refusal(request, kCountError);
    }
    const int sub = request.SubCommand();
    if (sub != kCrosspoints && sub != kMonitors) {
        return Refusal(request, kInvalidData);
    }
    const std::vector<uint16_t>& table = sub == kCrosspoints ? state.crosspoints : state.monitors;
    const uint16_t start = WordAt(request.data, 1);
    const uint16_t count = WordAt(request.data, 3);
    if (count == 0 || count > kMaxStatusCount) {
        return Refusal(request, kCountError);
    }
    if (!InRange(start, table.size()) || start + count - 1u > table.size()) {
        return Refusal(request, kInvalidData);
    }
    std::vector<uint8_t> data{static_cast<uint8_t>(sub)};
    PutWord(data, start);
    data.push_back(static_cast<uint8_t>(count));
    for (size_t i = 0; i < count; ++i) {
        PutWord(data, table[start - 1 + i]);
    }
    return DataReply(request, data);
}

}  // namespace zsim
