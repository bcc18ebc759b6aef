#include "config/ProtocolCapabilities.h"

#include "config/TableLookup.h"
#include "protocol/PartitionParameters.h"

namespace zerandi {

namespace {

constexpr int32_t kDefaultBaudIndex = 2;  // 38400
constexpr int32_t kAllLevelRows = PartitionParameters::kMaxLevels;

constexpr std::array<bool, kLevelColumnCount> kAllColumns{true, true, true, true, true,
                                                          true, true, true, true};
constexpr std::array<bool, kLevelColumnCount> kSignalTypeColumnOnly{
    false, false, false, false, false, false, false, false, true};

constexpr ProtocolCapabilities Row(ControlProtocol protocol, bool startupMode, bool baudRate,
                                   bool replyWhen, bool mainPort, bool auxPort, bool scrambleMap,
                                   bool rearDiag) {
    return {protocol,    startupMode, baudRate,          replyWhen,     mainPort,   auxPort,
            scrambleMap, rearDiag,    kDefaultBaudIndex, kAllLevelRows, kAllColumns};
}

// The unknown protocol comes first: it also stands for every protocol without a row.
constexpr std::array<ProtocolCapabilities, 10> kCapabilities{
    // protocol, startup, baud, reply when, main port, aux port, scramble, rear diag
    Row(ControlProtocol::Unknown, true, true, false, false, false, true, true),
    Row(ControlProtocol::QrSerial, true, true, true, true, true, true, true),
    ProtocolCapabilities{ControlProtocol::Sms7000, false, false, false, false, false, false, true,
                         kDefaultBaudIndex, 1, kSignalTypeColumnOnly},
    Row(ControlProtocol::BtsEsbus, true, false, true, false, false, true, true),
    Row(ControlProtocol::Pesa, true, false, true, false, false, false, true),
    Row(ControlProtocol::Probel, true, false, true, false, false, true, true),
    Row(ControlProtocol::Vistek, true, false, false, false, false, true, true),
    Row(ControlProtocol::UtahPl160, true, true, true, false, false, true, true),
    Row(ControlProtocol::UtahPl320, true, true, true, false, false, true, true),
    Row(ControlProtocol::UtahAvs2, true, true, true, false, false, true, true),
};

}  // namespace

const ProtocolCapabilities& LookupProtocolCapabilities(int32_t protocol) {
    const ProtocolCapabilities* row = FindLastRow(
        kCapabilities,
        [&](const ProtocolCapabilities& c) { return IsProtocol(protocol, c.protocol); });
    return row != nullptr ? *row : kCapabilities.front();
}

}  // namespace zerandi
