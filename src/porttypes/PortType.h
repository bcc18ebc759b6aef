#pragma once

#include <QString>
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace zerandi {

// The control type of one data-router port: 0 to 6 are known, any other code is kept as
// it came but shown as "Unknown".
using PortType = uint16_t;

inline constexpr int kPortTypeCount = 7;
// Codes 3 to 6 are the 207M roles that only an extended control card offers.
inline constexpr PortType kFirstExtendedPortType = 3;

inline constexpr std::array<const char*, kPortTypeCount> kPortTypeListNames{
    "207M Dynamic", "RS232 DTE",        "RS232 DCE",      "207M Master",
    "207M Slave",   "207M Controlling", "207M Controlled"};
inline constexpr std::array<const char*, kPortTypeCount> kPortTypeButtonTexts{
    "207M DYNAMIC", "RS232 DTE",        "RS232 DCE",      "207M MASTER",
    "207M SLAVE",   "207M CONTROLLING", "207M CONTROLLED"};

inline bool IsKnownPortType(PortType code) {
    return code < kPortTypeCount;
}

// The name in the port list: "Unknown" for a code without one.
QString PortTypeListName(PortType code);

// The code whose radio button shows the type: an unknown code ticks "207M DYNAMIC".
int PortTypeButtonCode(PortType code);

// One row of the port list: "\t" + port number (from 1) + "\t" + the type's name.
QString PortRowText(size_t index, PortType code);

// The ports whose types a router of `inputCount` inputs carries: one per input, at most as
// many as a ".prt" file holds.
size_t RouterPortCount(int32_t inputCount);
// What goes to the router: the low byte of each known code, 0 for an unknown one.
std::vector<uint8_t> PortTypeWireCodes(const std::vector<PortType>& types);

}  // namespace zerandi
