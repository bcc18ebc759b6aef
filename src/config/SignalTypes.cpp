#include "config/SignalTypes.h"

#include <array>

#include "config/TableLookup.h"

namespace zerandi {

namespace {

struct SignalTypeRow {
    int32_t code;
    const char* name;
};

constexpr std::array<SignalTypeRow, 9> kSignalTypes{{
    {SignalType::kAesAsync, "AES ASYNC"},
    {SignalType::kAesSync, "AES SYNC"},
    {SignalType::kRs422Data, "RS422/RS232 Data"},
    {SignalType::kMonitor, "Monitor"},
    {SignalType::kDataBroadcast, "Data Broadcast"},
    {SignalType::kDigitalVideo, "Digital Video"},
    {SignalType::kSdDigitalVideo, "SD Digital Video"},
    {SignalType::kAesMono, "AES Mono"},
    {SignalType::kDataForward, "Data Forward"},
}};

}  // namespace

QString SignalTypeName(int32_t code) {
    const SignalTypeRow* row =
        FindLastRow(kSignalTypes, [&](const SignalTypeRow& s) { return s.code == code; });
    return row != nullptr ? QString::fromLatin1(row->name) : QStringLiteral("unknown");
}

QList<int32_t> SignalTypeCodes() {
    QList<int32_t> codes;
    for (const SignalTypeRow& row : kSignalTypes) {
        codes.append(row.code);
    }
    return codes;
}

}  // namespace zerandi
