#include "support/FrameFields.h"

namespace zerandi::test {

namespace {

constexpr size_t kCommandOffset = 6;
constexpr size_t kDataOffset = 7;

// From the wire: the commands that change the router whatever their data, the range of the
// settings and tables that are written with sub-command 1 (or 3, the Ethernet settings), and
// the expansion settings, written with 0x11.
constexpr uint8_t kFirstFlashCommand = 0x40;
constexpr uint8_t kLastFlashCommand = 0x43;  // with the router type
constexpr uint8_t kFirstSetting = 0x44;
constexpr uint8_t kLastSetting = 0x48;
constexpr uint8_t kTakeCommand = 0x49;
constexpr uint8_t kResetCommand = 0x4E;
constexpr uint8_t kExpansionCommand = 0x4F;
constexpr uint8_t kSettingWrite = 1;
constexpr uint8_t kEthernetWrite = 3;
constexpr uint8_t kExpansionWrite = 0x11;

}  // namespace

uint8_t CommandOf(const RequestFrame& frame) {
    return frame.size() > kCommandOffset ? frame[kCommandOffset] : 0;
}

std::vector<uint8_t> CommandsOf(const std::vector<RequestFrame>& frames) {
    std::vector<uint8_t> commands;
    for (const auto& frame : frames) {
        commands.push_back(CommandOf(frame));
    }
    return commands;
}

std::vector<uint8_t> DataOf(const RequestFrame& frame) {
    if (frame.size() <= kDataOffset) {
        return {};
    }
    return {frame.begin() + kDataOffset, frame.end() - 1};
}

uint16_t WordAt(const RequestFrame& frame, size_t offset) {
    if (frame.size() < offset + 2) {
        return 0;
    }
    return static_cast<uint16_t>(frame[offset] << 8 | frame[offset + 1]);
}

bool ChangesRouter(const RequestFrame& frame) {
    const uint8_t code = CommandOf(frame);
    const std::vector<uint8_t> data = DataOf(frame);
    const int sub = data.empty() ? -1 : data.front();
    if ((code >= kFirstFlashCommand && code <= kLastFlashCommand) || code == kTakeCommand ||
        code == kResetCommand) {
        return true;
    }
    if (code >= kFirstSetting && code <= kLastSetting) {
        return sub == kSettingWrite || sub == kEthernetWrite;
    }
    return code == kExpansionCommand && sub == kExpansionWrite;
}

}  // namespace zerandi::test
