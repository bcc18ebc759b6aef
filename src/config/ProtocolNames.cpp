#include "config/ProtocolNames.h"

#include <array>

#include "config/ControlProtocol.h"

namespace zerandi {

namespace {

struct ProtocolNameRow {
    ControlProtocol protocol;
    const char* name;
};

constexpr std::array<ProtocolNameRow, 11> kProtocolNames{{
    {ControlProtocol::Rbp, "RBP"},
    {ControlProtocol::BtsEsbus, "BTS-ESBUS"},
    {ControlProtocol::UtahPl320, "UTAH PL320"},
    {ControlProtocol::Vistek, "VISTEK"},
    {ControlProtocol::Horizon, "HORIZON"},
    {ControlProtocol::Pesa, "PESA"},
    {ControlProtocol::Probel, "PROBEL"},
    {ControlProtocol::UtahPl160, "UTAH PL160"},
    {ControlProtocol::UtahAvs2, "UTAH AVS2"},
    {ControlProtocol::QrSerial, "QR SERIAL"},
    {ControlProtocol::Sms7000, "SMS7000"},
}};

}  // namespace

QString ProtocolName(int32_t protocol) {
    for (const ProtocolNameRow& row : kProtocolNames) {
        if (IsProtocol(protocol, row.protocol)) {
            return QString::fromLatin1(row.name);
        }
    }
    return QStringLiteral("unknown");
}

}  // namespace zerandi
