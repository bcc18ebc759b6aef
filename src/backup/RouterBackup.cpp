#include "backup/RouterBackup.h"

#include <QStringList>

#include "config/RouterModelTables.h"
#include "connect/ConnectionRows.h"
#include "connect/TakeRules.h"
#include "protocol/RouterLevel.h"

namespace zerandi {

namespace {

constexpr uint16_t kFlag13Bit = 0x2000;
constexpr uint16_t kFlag12Bit = 0x1000;

struct FlagName {
    bool RoutedSource::*flag;
    uint16_t bit;
    const char* text;
};
constexpr FlagName kFlags[] = {
    {&RoutedSource::forwardTake, kForwardTakeBit, "forward take"},
    {&RoutedSource::localControl, kLocalControlBit, "local control"},
    {&RoutedSource::flag13, kFlag13Bit, "flag 13"},
    {&RoutedSource::flag12, kFlag12Bit, "flag 12"},
};

}  // namespace

RoutedSource RoutedSourceFromWord(int32_t word, int32_t productId) {
    RoutedSource source;
    const int32_t input = ConnectionSource(word, IsDataRouter(productId));
    if (!IsTriStateSource(word, productId) && !IsTriStateSource(input, productId)) {
        source.input = input;
    }
    if (IsDataRouter(productId)) {
        for (const FlagName& flag : kFlags) {
            source.*flag.flag = (word & flag.bit) != 0;
        }
    }
    return source;
}

uint16_t RoutedSourceWord(const RoutedSource& source, int32_t productId) {
    if (source.TriState()) {
        return static_cast<uint16_t>(TriStateSource);
    }
    auto word = static_cast<uint16_t>(*source.input);
    if (IsDataRouter(productId)) {
        for (const FlagName& flag : kFlags) {
            word |= source.*flag.flag ? flag.bit : 0;
        }
    }
    return word;
}

QString RoutedSourceText(const RoutedSource& source, int32_t productId) {
    QString text =
        source.input ? QStringLiteral("input %1").arg(*source.input) : QStringLiteral("tri-state");
    // A tri-state has no flags of its own to tell.
    if (!IsDataRouter(productId) || source.TriState()) {
        return text;
    }
    QStringList set;
    for (const FlagName& flag : kFlags) {
        if (source.*flag.flag) {
            set << QString::fromLatin1(flag.text);
        }
    }
    return set.isEmpty() ? text
                         : text + QStringLiteral(" (%1)").arg(set.join(QStringLiteral(", ")));
}

int32_t MonitorWord(const std::optional<int32_t>& output) {
    return output.value_or(TriStateSource);
}

std::optional<int32_t> MonitoredOutput(int32_t word) {
    return word == TriStateSource ? std::nullopt : std::optional<int32_t>(word);
}

}  // namespace zerandi
