#include "config/ConfigChoiceValues.h"

#include "config/ConfigChoiceNames.h"

namespace zerandi {

namespace {

std::optional<QString> NameAt(const QStringList& names, int32_t index) {
    if (index < 0 || index >= names.size()) {
        return std::nullopt;
    }
    return names[index];
}

std::optional<int32_t> IndexOf(const QStringList& names, const QString& name) {
    const qsizetype index = names.indexOf(name);
    return index < 0 ? std::nullopt : std::optional<int32_t>(static_cast<int32_t>(index));
}

QString OrList(const QStringList& items) {
    if (items.size() < 2) {
        return items.join(QString());
    }
    return items.mid(0, items.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" or ") +
           items.last();
}

}  // namespace

std::optional<int32_t> ConfigChoiceValues::BaudRate(int32_t baudIndex) {
    if (baudIndex < 0 || baudIndex >= static_cast<int32_t>(kBaudRates.size())) {
        return std::nullopt;
    }
    return kBaudRates[static_cast<size_t>(baudIndex)];
}

std::optional<int32_t> ConfigChoiceValues::BaudIndex(int32_t baudRate) {
    for (size_t i = 0; i < kBaudRates.size(); ++i) {
        if (kBaudRates[i] == baudRate) {
            return static_cast<int32_t>(i);
        }
    }
    return std::nullopt;
}

std::optional<QString> ConfigChoiceValues::ReplyWhenName(int32_t replyWhenIndex) {
    return NameAt(ConfigChoiceNames::ReplyWhen(), replyWhenIndex);
}

std::optional<int32_t> ConfigChoiceValues::ReplyWhenIndex(const QString& name) {
    return IndexOf(ConfigChoiceNames::ReplyWhen(), name);
}

std::optional<QString> ConfigChoiceValues::RearDiagName(int32_t rearDiagIndex) {
    return NameAt(ConfigChoiceNames::RearDiagPorts(), rearDiagIndex);
}

std::optional<int32_t> ConfigChoiceValues::RearDiagIndex(const QString& name) {
    return IndexOf(ConfigChoiceNames::RearDiagPorts(), name);
}

QString ConfigChoiceValues::BaudRatesText() {
    QStringList rates;
    for (const int32_t rate : kBaudRates) {
        rates << QString::number(rate);
    }
    return OrList(rates);
}

QString ConfigChoiceValues::ChoicesText(const QStringList& names) {
    QStringList quoted;
    for (const QString& name : names) {
        quoted << QLatin1Char('"') + name + QLatin1Char('"');
    }
    return OrList(quoted);
}

}  // namespace zerandi
