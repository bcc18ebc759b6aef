#include "TableCommands.h"

#include <algorithm>

namespace zsim {
namespace {

constexpr size_t kBankEntries = 256;
constexpr size_t kScrambleBlockEntries = 32;
constexpr size_t kScrambleBlocksPerBank = kBankEntries / kScrambleBlockEntries;
constexpr uint8_t kBankCount = 2;
constexpr size_t kScrambleHeaderBytes = 5;  // bank, blocks to come, start word, count
constexpr size_t kScrambleEntryBytes = 4;   // A word, B word

constexpr size_t kLevelRecordBytes = 16;
constexpr size_t kPartitionReadHeaderBytes = 3;   // start-up flag, scramble flag, count
constexpr size_t kPartitionWriteHeaderBytes = 4;  // sub, start-up flag, scramble flag, count
constexpr size_t kMaxLevelRecords = (kMaxDataBytes - kPartitionReadHeaderBytes) / kLevelRecordBytes;

constexpr size_t kPortBlockPorts = 128;
constexpr size_t kPortWriteHeaderBytes = 7;  // sub, blocks to come, flag, value, start, count

constexpr int kRead = 0;
constexpr int kWrite = 1;

size_t BankBase(int bank) {
    return static_cast<size_t>(bank - 1) * 2 * kBankEntries;
}

std::vector<uint8_t> ScrambleBlock(const RouterState& state, int bank, size_t block,
                                   uint8_t toCome) {
    const size_t start = block * kScrambleBlockEntries;
    std::vector<uint8_t> data{static_cast<uint8_t>(bank), toCome};
    PutWord(data, static_cast<uint16_t>(start));
    data.push_back(static_cast<uint8_t>(kScrambleBlockEntries));
    for (size_t i = start; i < start + kScrambleBlockEntries; ++i) {
        PutWord(data, state.scramble[BankBase(bank) + i]);
        PutWord(data, state.scramble[BankBase(bank) + kBankEntries + i]);
    }
    return data;
}

// Both banks in blocks of 32; the "more" byte counts the replies still to come, so it stays
// non-zero until the very last reply of bank 2.
Frames ReadScramble(const RouterState& state, const Request& request) {
    Frames frames;
    const size_t total = kBankCount * kScrambleBlocksPerBank;
    for (size_t n = 0; n < total; ++n) {
        const int bank = static_cast<int>(n / kScrambleBlocksPerBank) + 1;
        const size_t block = n % kScrambleBlocksPerBank;
        const auto toCome = static_cast<uint8_t>(total - 1 - n);
        frames.push_back(DataReply(request, ScrambleBlock(state, bank, block, toCome)).front());
    }
    return frames;
}

Frames WriteScramble(RouterState& state, const Request& request) {
    const std::vector<uint8_t>& data = request.data;
    if (data.size() < kScrambleHeaderBytes) {
        return Refusal(request, kCountError);
    }
    const size_t start = WordAt(data, 2);
    const size_t count = data[4];
    if (data.size() != kScrambleHeaderBytes + kScrambleEntryBytes * count) {
        return Refusal(request, kCountError);
    }
    if (start + count > kBankEntries) {
        return Refusal(request, kInvalidData);
    }
    const size_t base = BankBase(request.SubCommand());
    for (size_t i = 0; i < count; ++i) {
        const size_t at = kScrambleHeaderBytes + kScrambleEntryBytes * i;
        state.scramble[base + start + i] = WordAt(data, at);
        state.scramble[base + kBankEntries + start + i] = WordAt(data, at + 2);
    }
    return Ack(request);
}

void PutLevel(std::vector<uint8_t>& data, const LevelRecord& level) {
    data.push_back(level.signalType);
    data.push_back(level.levelNumber);
    for (const uint16_t word :
         {level.physicalInputStart, level.physicalInputEnd, level.controllerInputStart,
          level.defaultInput, level.physicalOutputStart, level.physicalOutputEnd,
          level.controllerOutputStart}) {
        PutWord(data, word);
    }
}

LevelRecord LevelAt(std::span<const uint8_t> bytes) {
    LevelRecord level;
    level.signalType = bytes[0];
    level.levelNumber = bytes[1];
    level.physicalInputStart = WordAt(bytes, 2);
    level.physicalInputEnd = WordAt(bytes, 4);
    level.controllerInputStart = WordAt(bytes, 6);
    level.defaultInput = WordAt(bytes, 8);
    level.physicalOutputStart = WordAt(bytes, 10);
    level.physicalOutputEnd = WordAt(bytes, 12);
    level.controllerOutputStart = WordAt(bytes, 14);
    return level;
}

Frames ReadPartition(const RouterState& state, const Request& request) {
    const size_t count = std::min(state.levels.size(), kMaxLevelRecords);
    std::vector<uint8_t> data{static_cast<uint8_t>(state.startupLastState ? 1 : 0),
                              static_cast<uint8_t>(state.scrambleEnabled ? 1 : 0),
                              static_cast<uint8_t>(count)};
    for (size_t i = 0; i < count; ++i) {
        PutLevel(data, state.levels[i]);
    }
    return DataReply(request, data);
}

Frames WritePartition(RouterState& state, const Request& request) {
    const std::vector<uint8_t>& data = request.data;
    if (data.size() < kPartitionWriteHeaderBytes ||
        data.size() != kPartitionWriteHeaderBytes + kLevelRecordBytes * data[3]) {
        return Refusal(request, kCountError);
    }
    state.startupLastState = data[1] != 0;
    state.scrambleEnabled = data[2] != 0;
    state.levels.clear();
    for (size_t i = 0; i < data[3]; ++i) {
        const size_t at = kPartitionWriteHeaderBytes + kLevelRecordBytes * i;
        state.levels.push_back(LevelAt(std::span(data).subspan(at, kLevelRecordBytes)));
    }
    return Ack(request);
}

Frames ReadPortTypes(const RouterState& state, const Request& request) {
    const size_t ports = state.portTypes.size();
    const size_t blocks = std::max<size_t>(1, (ports + kPortBlockPorts - 1) / kPortBlockPorts);
    Frames frames;
    for (size_t k = 0; k < blocks; ++k) {
        const size_t start = k * kPortBlockPorts;
        const size_t count = std::min(kPortBlockPorts, ports - start);
        std::vector<uint8_t> data{static_cast<uint8_t>(blocks - 1 - k), state.reverseFlag,
                                  state.takeDelay};
        PutWord(data, static_cast<uint16_t>(start));
        data.push_back(static_cast<uint8_t>(count));
        const auto first = state.portTypes.begin() + static_cast<std::ptrdiff_t>(start);
        data.insert(data.end(), first, first + static_cast<std::ptrdiff_t>(count));
        frames.push_back(DataReply(request, data).front());
    }
    return frames;
}

Frames WritePortTypes(RouterState& state, const Request& request) {
    const std::vector<uint8_t>& data = request.data;
    if (data.size() < kPortWriteHeaderBytes ||
        data.size() != kPortWriteHeaderBytes + data[kPortWriteHeaderBytes - 1]) {
        return Refusal(request, kCountError);
    }
    const size_t start = WordAt(data, 4);
    const size_t count = data[kPortWriteHeaderBytes - 1];
    if (start + count > state.portTypes.size()) {
        return Refusal(request, kInvalidData);
    }
    state.reverseFlag = data[2];
    state.takeDelay = data[3];
    std::copy(data.begin() + kPortWriteHeaderBytes, data.end(),
              state.portTypes.begin() + static_cast<std::ptrdiff_t>(start));
    return Ack(request);
}

}  // namespace

Frames AnswerScrambleTable(RouterState& state, const Request& request) {
    const int sub = request.SubCommand();
    if (sub == kRead) {
        return ReadScramble(state, request);
    }
    if (sub >= 1 && sub <= kBankCount) {
        return WriteScramble(state, request);
    }
    return Refusal(request, kInvalidData);
}

Frames AnswerPartition(RouterState& state, const Request& request) {
    if (request.SubCommand() == kRead) {
        return ReadPartition(state, request);
    }
    if (request.SubCommand() == kWrite) {
        return WritePartition(state, request);
    }
    return Refusal(request, kInvalidData);
}

// Only data routers have port types; other routers do not know the command.
Frames AnswerDataRouterParameters(RouterState& state, const Request& request) {
    if (!state.dataRouter) {
        return Refusal(request, kNotSupported);
    }
    if (request.SubCommand() == kRead) {
        return ReadPortTypes(state, request);
    }
    if (request.SubCommand() == kWrite) {
        return WritePortTypes(state, request);
    }
    return Refusal(request, kInvalidData);
}

}  // namespace zsim
