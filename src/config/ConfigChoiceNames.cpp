#include "config/ConfigChoiceNames.h"

namespace zerandi {

QStringList ConfigChoiceNames::StartupModes() {
    return {QStringLiteral("Default Source"), QStringLiteral("Last known state")};
}

QStringList ConfigChoiceNames::RearDiagPorts() {
    return {QStringLiteral("RS485"), QStringLiteral("RS232")};
}

QStringList ConfigChoiceNames::ReplyWhen() {
    return {QStringLiteral("active only"), QStringLiteral("always")};
}

QStringList ConfigChoiceNames::BaudRates() {
    return {QStringLiteral("9600"), QStringLiteral("19200"), QStringLiteral("38400"),
            QStringLiteral("56700"), QStringLiteral("115200")};
}

QStringList ConfigChoiceNames::ScrambleMap() {
    return {QStringLiteral("Disabled"), QStringLiteral("Enabled")};
}

}  // namespace zerandi
