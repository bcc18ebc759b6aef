#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>

namespace zerandi {

// The configuration's list positions, which the router carries, turned into what they mean
// and back: the baud rate in bits per second, the reply mode and the rear diagnostic port by
// their names in the configuration view. One home for the conversion, used by whatever holds
// the configuration in the router's terms (a backup file).
class ConfigChoiceValues {
public:
    // The rates the control card runs its ports at, in the order of its baud indices.
    static constexpr std::array<int32_t, 5> kBaudRates{9600, 19200, 38400, 57600, 115200};

    static std::optional<int32_t> BaudRate(int32_t baudIndex);
    static std::optional<int32_t> BaudIndex(int32_t baudRate);
    // "active only", "always"
    static std::optional<QString> ReplyWhenName(int32_t replyWhenIndex);
    static std::optional<int32_t> ReplyWhenIndex(const QString& name);
    // "RS485", "RS232"
    static std::optional<QString> RearDiagName(int32_t rearDiagIndex);
    static std::optional<int32_t> RearDiagIndex(const QString& name);

    // "9600, 19200, 38400, 57600 or 115200", for a refusal.
    static QString BaudRatesText();
    // "\"active only\" or \"always\"", for a refusal.
    static QString ChoicesText(const QStringList& names);
};

}  // namespace zerandi
