#pragma once

#include <cstdint>

namespace zerandi {

// The control protocols a router's controller runs, by the number the router reports in
// its serial parameters. The document keeps the number as read, which may be one that
// no row of the program's tables knows.
enum class ControlProtocol : int32_t {
    Rbp = 0,
    BtsEsbus = 1,
    UtahPl320 = 2,
    Vistek = 3,
    Horizon = 4,
    Pesa = 5,
    Probel = 6,
    UtahPl160 = 7,
    UtahAvs2 = 8,
    QrSerial = 9,
    Sms7000 = 10,
    Unknown = 255,  // nothing read yet, or the read failed
};

constexpr int32_t ProtocolNumber(ControlProtocol protocol) {
    return static_cast<int32_t>(protocol);
}

constexpr bool IsProtocol(int32_t number, ControlProtocol protocol) {
    return number == ProtocolNumber(protocol);
}

// The three UTAH protocols share their settings rules.
constexpr bool IsUtahProtocol(int32_t number) {
    return IsProtocol(number, ControlProtocol::UtahPl320) ||
           IsProtocol(number, ControlProtocol::UtahPl160) ||
           IsProtocol(number, ControlProtocol::UtahAvs2);
}

// Only the QR serial protocol lets the user switch Ethernet control and expansion slaving.
constexpr bool IsQrSerialProtocol(int32_t number) {
    return IsProtocol(number, ControlProtocol::QrSerial);
}

// A router under that protocol has one level over its whole matrix.
constexpr bool IsSingleLevelProtocol(int32_t number) {
    return IsProtocol(number, ControlProtocol::Sms7000);
}

}  // namespace zerandi
