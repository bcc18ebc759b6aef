#include "connect/ConnectionRows.h"

#include "protocol/RouterLevel.h"

namespace zerandi {

namespace {

constexpr int32_t kDataSourceMask = 0x0FFF;
constexpr int kFirstFlagBit = 15;
constexpr int kLastFlagBit = 12;
constexpr int kSourceWidth = 3;

QString Padded(int32_t number) {
    return QStringLiteral("%1").arg(number, kSourceWidth);
}

}  // namespace

QString FlagDigits(int32_t word) {
    QString digits;
    for (int bit = kFirstFlagBit; bit >= kLastFlagBit; --bit) {
        digits += (word >> bit) & 1 ? u'1' : u'0';
    }
    return digits;
}

int32_t ConnectionSource(int32_t word, bool dataRouter) {
    return dataRouter ? word & kDataSourceMask : word;
}

QString FormatSourceText(int32_t source) {
    return source == TriStateSource ? QStringLiteral("TRI") : Padded(source);
}

QString ConnectionSourceText(int32_t word, bool dataRouter) {
    return FormatSourceText(ConnectionSource(word, dataRouter));
}

QString ConnectionHeading(bool dataRouter) {
    return dataRouter ? QStringLiteral("Input\t\t  Output      Flags")
                      : QStringLiteral("\tInput\t\tOutput");
}

QString FormatConnectionRow(int32_t word, int output, bool dataRouter) {
    const QString source = ConnectionSourceText(word, dataRouter);
    if (dataRouter) {
        return source + QStringLiteral("\t-->\t\t") + Padded(output) + QStringLiteral("\t\t    ") +
               FlagDigits(word);
    }
    return u'\t' + source + QStringLiteral("\t-->\t\t") + Padded(output);
}

QStringList ConnectionRows(int first, const std::vector<int32_t>& words, bool dataRouter) {
    QStringList rows;
    rows.reserve(static_cast<qsizetype>(words.size()));
    int output = first;
    for (const int32_t word : words) {
        rows << FormatConnectionRow(word, output++, dataRouter);
    }
    return rows;
}

QString FormatSalvoRow(uint16_t input, uint16_t output) {
    return FormatSourceText(input) + QStringLiteral("\t-->\t") + QString::number(output);
}

QString FormatModifiedSalvoRow(uint16_t input, uint16_t output) {
    return QString::number(input) + QStringLiteral("\t-->\t") + QString::number(output);
}

QString MonitoredOutputText(int32_t word) {
    return word == TriStateSource ? QStringLiteral("none")
                                  : QString::number(static_cast<uint32_t>(word));
}

QString FormatMonitorRow(int32_t word, int monitor) {
    return u'\t' + MonitoredOutputText(word) + QStringLiteral("\t->\t") + QString::number(monitor);
}

}  // namespace zerandi
