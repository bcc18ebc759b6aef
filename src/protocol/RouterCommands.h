#pragma once

#include <cstdint>

// Command bytes of requests and replies, and the sub-commands that go with them.
namespace zerandi::command {

inline constexpr uint8_t kAcknowledge = 0x04;
inline constexpr uint8_t kReplyBit = 0x80;

inline constexpr uint8_t kSetControllerState = 0x06;
inline constexpr uint8_t kGetProductId = 0x10;
inline constexpr uint8_t kGetVersionSummary = 0x11;
inline constexpr uint8_t kGetStatus = 0x12;
inline constexpr uint8_t kGetControlCardInfo = 0x13;
inline constexpr uint8_t kGetSoftwareVersions = 0x15;
inline constexpr uint8_t kEnterFlashWriteMode = 0x40;
inline constexpr uint8_t kFlashRecord = 0x41;
inline constexpr uint8_t kExitFlashDownloadMode = 0x42;
inline constexpr uint8_t kSetRouterType = 0x43;
inline constexpr uint8_t kCardAddress = 0x44;
inline constexpr uint8_t kCommParameters = 0x45;
inline constexpr uint8_t kScrambleTable = 0x46;
inline constexpr uint8_t kPartitionParameters = 0x47;
inline constexpr uint8_t kDataRouterParameters = 0x48;
inline constexpr uint8_t kTake = 0x49;
inline constexpr uint8_t kCrosspointStatus = 0x4A;
inline constexpr uint8_t kResetController = 0x4E;
inline constexpr uint8_t kExpansionParameters = 0x4F;
inline constexpr uint8_t kTextMessage = 0x7E;

inline constexpr uint8_t kRefusal = 0x80;
inline constexpr uint8_t kSequenceError = 0x81;
inline constexpr uint8_t kAsciiError = 0x8F;

// Sub-commands, the first data byte of the request.
inline constexpr uint8_t kSubRead = 0;
inline constexpr uint8_t kSubWrite = 1;
inline constexpr uint8_t kSubGeneralHealth = 0;
inline constexpr uint8_t kSubFanStatus = 7;
inline constexpr uint8_t kSubTake = 0;
inline constexpr uint8_t kSubMonitor = 1;
inline constexpr uint8_t kSubCrosspoints = 0;
inline constexpr uint8_t kSubMonitors = 1;
inline constexpr uint8_t kSubSerialRead = 0;
inline constexpr uint8_t kSubSerialWrite = 1;
inline constexpr uint8_t kSubEthernetRead = 2;
inline constexpr uint8_t kSubEthernetWrite = 3;
inline constexpr uint8_t kEthernetReplyTag = 0x83;
inline constexpr uint8_t kSubExpansionRead = 0x10;
inline constexpr uint8_t kSubExpansionWrite = 0x11;

// The reply command of a request that returns data.
constexpr uint8_t ReplyTo(uint8_t request) {
    return static_cast<uint8_t>(request | kReplyBit);
}

}  // namespace zerandi::command
