#include "config/ProtocolNames.h"

#include <array>

namespace zerandi {

namespace {

// Indexed by the protocol number.
constexpr std::array<const char*, 11> kProtocolNames{
    "RBP",    "BTS-ESBUS",  "UTAH PL320", "VISTEK",    "HORIZON", "PESA",
    "PROBEL", "UTAH PL160", "UTAH AVS2",  "QR SERIAL", "SMS7000",
};

}  // namespace

QString ProtocolName(int32_t protocol) {
    if (protocol < 0 || static_cast<size_t>(protocol) >= kProtocolNames.size()) {
        return QStringLiteral("unknown");
    }
    return QString::fromLatin1(kProtocolNames[static_cast<size_t>(protocol)]);
}

}  // namespace zerandi
