#include "config/ProtocolCapabilities.h"

#include "config/TableLookup.h"

namespace zerandi {

namespace {

constexpr int32_t kDefaultBaudIndex = 2;  // 38400
constexpr int32_t kAllLevelRows = 4;

constexpr std::array<bool, kLevelColumnCount> kAllColumns{true, true, true, true, true,
                                                          true, true, true, true};
constexpr std::array<bool, kLevelColumnCount> kSignalTypeColumnOnly{
    false, false, false, false, false, false, false, false, true};

constexpr ProtocolCapabilities Row(int32_t protocol, bool startupMode, bool baudRate,
                                   bool replyWhen, bool mainPort, bool auxPort, bool scrambleMap,
                                   bool rearDiag) {
    return {protocol,    startupMode, baudRate,          replyWhen,     mainPort,   auxPort,
            scrambleMap, rearDiag,    kDefaultBaudIndex, kAllLevelRows, kAllColumns};
}

// Protocol 255 (not known) comes first: it also stands for every protocol without a row.
constexpr std::array<ProtocolCapabilities, 10> kCapabilities{
    // protocol, startup, baud, reply when, main port, aux port, scramble, rear diag
    Row(255, true, true, false, false, false, true, true),
    Row(9, true, true, true, true, true, true, true),
    ProtocolCapabilities{10, false, false, false, false, false, false, true, kDefaultBaudIndex, 1,
                         kSignalTypeColumnOnly},
    Row(1, true, false, true, false, false, true, true),
    Row(5, true, false, true, false, false, false, true),
    Row(6, true, false, true, false, false, true, true),
    Row(3, true, false, false, false, false, true, true),
    Row(7, true, true, true, false, false, true, true),
    Row(2, true, true, true, false, false, true, true),
    Row(8, true, true, true, false, false, true, true),
};

}  // namespace

const ProtocolCapabilities& LookupProtocolCapabilities(int32_t protocol) {
    const ProtocolCapabilities* row = FindLastRow(
        kCapabilities, [&](const ProtocolCapabilities& c) { return c.protocol == protocol; });
    return row != nullptr ? *row : kCapabilities.front();
}

}  // namespace zerandi
