#pragma once

#include <QList>
#include <QString>
#include <cstdint>

namespace zerandi {

// The signal-type codes that a level and the router's partition parameters carry.
namespace SignalType {
inline constexpr int32_t kAesAsync = 1;
inline constexpr int32_t kAesSync = 2;
inline constexpr int32_t kRs422Data = 3;
inline constexpr int32_t kMonitor = 4;
inline constexpr int32_t kDataBroadcast = 5;
inline constexpr int32_t kDigitalVideo = 6;
inline constexpr int32_t kAesMono = 7;
inline constexpr int32_t kDataForward = 8;
inline constexpr int32_t kSdDigitalVideo = 127;
}  // namespace SignalType

QString SignalTypeName(int32_t code);  // "unknown" when not in the table

// Every code in the order the signal types are offered to the user.
QList<int32_t> SignalTypeCodes();

}  // namespace zerandi
