#include "SettingsCommands.h"

#include <algorithm>

#include "ModelCatalog.h"

namespace zsim {
namespace {

constexpr int kReadSerial = 0;
constexpr int kWriteSerial = 1;
constexpr int kReadEthernet = 2;
constexpr int kWriteEthernet = 3;
constexpr size_t kSerialBytes = 10;
constexpr uint8_t kEthernetTag = 0x83;
constexpr size_t kEthernetEntryBytes = 10;
constexpr size_t kMaxEthernetEntries = (kMaxDataBytes - 1) / kEthernetEntryBytes;

constexpr int kReadExpansion = 0x10;
constexpr int kWriteExpansion = 0x11;
constexpr size_t kExpansionWriteBytes = 3;  // sub, mode, index (two zero bytes may follow)

std::array<uint8_t, kSerialBytes> SerialBytes(const SerialSettings& s) {
    return {s.protocolIndex, s.replyWhen,  s.value3, s.baudIndex,  s.portFlags,
            s.reserved,      s.replyWhen2, s.value6, s.baudIndex2, s.rearDiag};
}

Frames WriteSerial(RouterState& state, const Request& request) {
    const std::vector<uint8_t>& d = request.data;
    if (d.size() < kSerialBytes + 1) {
        return Refusal(request, kCountError);
    }
    state.serial = SerialSettings{d[1], d[2], d[3], d[4], d[5], d[6], d[7], d[8], d[9], d[10]};
    return Ack(request);
}

void PutEthernet(std::vector<uint8_t>& data, const EthernetSetting& entry) {
    data.push_back(entry.entryNumber);
    data.push_back(entry.enabled);
    data.insert(data.end(), entry.ip.begin(), entry.ip.end());
    data.insert(data.end(), entry.mask.begin(), entry.mask.end());
}

EthernetSetting EthernetAt(std::span<const uint8_t> bytes) {
    EthernetSetting entry{bytes[0], bytes[1], {}, {}};
    std::copy_n(bytes.begin() + 2, entry.ip.size(), entry.ip.begin());
    std::copy_n(bytes.begin() + 6, entry.mask.size(), entry.mask.begin());
    return entry;
}

Frames ReadEthernet(const RouterState& state, const Request& request) {
    std::vector<uint8_t> data{kEthernetTag};
    const size_t count = std::min(state.ethernet.size(), kMaxEthernetEntries);
    for (size_t i = 0; i < count; ++i) {
        PutEthernet(data, state.ethernet[i]);
    }
    return DataReply(request, data);
}

// Entries replace the stored entry of the same number, so writing one entry keeps the others.
Frames WriteEthernet(RouterState& state, const Request& request) {
    const std::span<const uint8_t> entries = std::span(request.data).subspan(1);
    if (entries.empty() || entries.size() % kEthernetEntryBytes != 0) {
        return Refusal(request, kCountError);
    }
    for (size_t at = 0; at < entries.size(); at += kEthernetEntryBytes) {
        const EthernetSetting entry = EthernetAt(entries.subspan(at, kEthernetEntryBytes));
        const auto same = std::find_if(
            state.ethernet.begin(), state.ethernet.end(),
            [&](const EthernetSetting& stored) { return stored.entryNumber == entry.entryNumber; });
        if (same == state.ethernet.end()) {
            state.ethernet.push_back(entry);
        } else {
            *same = entry;
        }
    }
    return Ack(request);
}

bool EthernetSupported(const RouterState& state) {
    return state.ethernetAvailable && IsExtendedCard(state.cardPartNumber);
}

bool ExpansionSupported(const RouterState& state) {
    return state.expansionAvailable && IsExtendedCard(state.cardPartNumber);
}

}  // namespace

Frames AnswerCommParameters(RouterState& state, const Request& request) {
    const int sub = request.SubCommand();
    if (sub == kReadSerial) {
        return DataReply(request, SerialBytes(state.serial));
    }
    if (sub == kWriteSerial) {
        return WriteSerial(state, request);
    }
    if (sub != kReadEthernet && sub != kWriteEthernet) {
        return Refusal(request, kInvalidData);
    }
    if (!EthernetSupported(state)) {
        return Refusal(request, state.ethernetRefusalCode);
    }
    return sub == kReadEthernet ? ReadEthernet(state, request) : WriteEthernet(state, request);
}

Frames AnswerExpansion(RouterState& state, const Request& request) {
    const int sub = request.SubCommand();
    if (sub != kReadExpansion && sub != kWriteExpansion) {
        return Refusal(request, kInvalidData);
    }
    if (!ExpansionSupported(state)) {
        return Refusal(request, state.expansionRefusalCode);
    }
    if (sub == kReadExpansion) {
        const uint8_t data[] = {kReadExpansion, state.expansionMode, state.expansionIndex, 0, 0};
        return DataReply(request, data);
    }
    if (request.data.size() < kExpansionWriteBytes) {
        return Refusal(request, kCountError);
    }
    state.expansionMode = request.data[1];
    state.expansionIndex = request.data[2];
    return Ack(request);
}

}  // namespace zsim
