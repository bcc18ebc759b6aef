#include "ControllerCommands.h"

#include <algorithm>

namespace zsim {
namespace {

constexpr size_t kVersionNameBytes = 16;
constexpr size_t kVersionPartBytes = 4;
constexpr size_t kVersionFixedBytes = 31;  // ids, name, part, four words, terminating NUL
constexpr size_t kVersionHeaderBytes = 2;  // "more" flag and error flag before the records
constexpr size_t kVersionRecordRoom = kMaxDataBytes - kVersionHeaderBytes;
constexpr size_t kBriefVersionBytes = 7;
constexpr size_t kCardInfoDataBytes = 5;

constexpr uint8_t kHealthGeneral = 0;
constexpr uint8_t kHealthFans = 7;
constexpr uint8_t kCardStateMask = 0x03;
constexpr uint8_t kCardStateStandby = 1;
constexpr uint8_t kCardStateOffline = 2;
constexpr uint8_t kOtherCardActive = 0x80;
constexpr uint8_t kAllCpusReset = 0xE0;
constexpr uint8_t kStateOffline = 0;
constexpr uint8_t kStateStandby = 1;
constexpr uint8_t kStateOtherOffline = 2;

void PutText(std::vector<uint8_t>& bytes, const std::string& text, size_t width) {
    for (size_t i = 0; i < width; ++i) {
        bytes.push_back(i < text.size() ? static_cast<uint8_t>(text[i]) : 0);
    }
}

// The bytes of one detailed version record, its description cut so the record fits a reply.
std::vector<uint8_t> EncodeVersionRecord(const VersionRecord& version) {
    std::vector<uint8_t> bytes{version.componentType, version.imageKind};
    PutText(bytes, version.name, kVersionNameBytes);
    PutText(bytes, version.part, kVersionPartBytes);
    for (const uint16_t number : {version.major, version.minor, version.build, version.fourth}) {
        PutWord(bytes, number);
    }
    const size_t room = kVersionRecordRoom - kVersionFixedBytes;
    const std::string description = version.description.substr(0, room);
    bytes.insert(bytes.end(), description.begin(), description.end());
    bytes.push_back(0);
    return bytes;
}

std::vector<std::vector<uint8_t>> VersionReplyData(const RouterState& state) {
    std::vector<std::vector<uint8_t>> chunks(1);
    for (const VersionRecord& version : state.versions) {
        const std::vector<uint8_t> record = EncodeVersionRecord(version);
        if (chunks.back().size() + record.size() > kVersionRecordRoom) {
            chunks.emplace_back();
        }
        chunks.back().insert(chunks.back().end(), record.begin(), record.end());
    }
    return chunks;
}

void SetCardState(HealthStatus& health, uint8_t cardState) {
    health.cardStatus = static_cast<uint8_t>((health.cardStatus & ~kCardStateMask) | cardState);
}

}  // namespace

Frames AnswerProductId(RouterState& state, const Request& request) {
    const uint8_t data[] = {state.makerCode, state.productId};
    return DataReply(request, data);
}

Frames AnswerControlCardInfo(RouterState& state, const Request& request) {
    std::vector<uint8_t> data;
    PutWord(data, state.cardPartNumber);
    data.insert(data.end(), state.cardBytes.begin(), state.cardBytes.end());
    const size_t length = std::clamp<size_t>(state.cardInfoLength, 1, kCardInfoDataBytes + 1);
    data.resize(length - 1);
    return DataReply(request, data);
}

// Several replies when the records need them; each says how many replies are still to come.
Frames AnswerSoftwareVersions(RouterState& state, const Request& request) {
    if (request.SubCommand() != 0) {
        return Refusal(request, kInvalidData);
    }
    const auto chunks = VersionReplyData(state);
    Frames frames;
    for (size_t i = 0; i < chunks.size(); ++i) {
        const bool flagError = i == 0 && state.versionErrorFlag;
        std::vector<uint8_t> data{static_cast<uint8_t>(chunks.size() - 1 - i),
                                  static_cast<uint8_t>(flagError ? 1 : 0)};
        data.insert(data.end(), chunks[i].begin(), chunks[i].end());
        frames.push_back(DataReply(request, data).front());
    }
    return frames;
}

Frames AnswerBriefVersions(RouterState& state, const Request& request) {
    std::vector<uint8_t> data;
    const size_t count = std::min(state.briefVersions.size(), kMaxDataBytes / kBriefVersionBytes);
    for (size_t i = 0; i < count; ++i) {
        const BriefVersion& brief = state.briefVersions[i];
        data.push_back(brief.componentType);
        data.push_back(brief.imageKind);
        PutWord(data, brief.number);
        data.insert(data.end(), brief.version.begin(), brief.version.end());
    }
    return DataReply(request, data);
}

Frames AnswerCardAddress(RouterState& state, const Request& request) {
    if (request.SubCommand() == 0) {
        const uint8_t data[] = {state.cardAddress};
        return DataReply(request, data);
    }
    if (request.SubCommand() != 1) {
        return Refusal(request, kInvalidData);
    }
    if (request.data.size() < 2) {
        return Refusal(request, kCountError);
    }
    state.cardAddress = request.data[1];
    return Ack(request);
}

Frames AnswerRouterType(RouterState& state, const Request& request) {
    if (request.data.empty()) {
        return Refusal(request, kCountError);
    }
    state.productId = request.data[0];
    return Ack(request);
}

// The state shows in the next health read: this card offline or on standby, or the other
// card no longer active.
Frames AnswerControllerState(RouterState& state, const Request& request) {
    if (request.data.empty()) {
        return Refusal(request, kCountError);
    }
    const uint8_t wanted = request.data[0];
    if (wanted == kStateOffline) {
        SetCardState(state.health, kCardStateOffline);
    } else if (wanted == kStateStandby) {
        SetCardState(state.health, kCardStateStandby);
    } else if (wanted == kStateOtherOffline) {
        state.health.cardStatus &= static_cast<uint8_t>(~kOtherCardActive);
    } else {
        return Refusal(request, kInvalidData);
    }
    state.lastControllerState = wanted;
    return Ack(request);
}

// A reset ends any flash download, makes the card active again and raises the CPU-reset flags.
Frames AnswerReset(RouterState& state, const Request& request) {
    ++state.resetCount;
    state.flashMode = false;
    state.flashComponent = -1;
    SetCardState(state.health, 0);
    state.health.cpuReset |= kAllCpusReset;
    return Ack(request);
}

Frames AnswerHealth(RouterState& state, const Request& request) {
    const HealthStatus& health = state.health;
    if (request.SubCommand() == kHealthGeneral) {
        std::vector<uint8_t> data{kHealthGeneral, health.cpuReset, health.references,
                                  health.cardStatus};
        PutWord(data, health.lastTimestamp);
        data.push_back(health.powerSupplies);
        PutWord(data, health.auxData);
        data.push_back(health.alarmBytes ? health.alarms : 0);
        if (health.alarmBytes) {
            data.push_back(health.powerSupplyTemperatures);
            data.insert(data.end(), health.trailingBytes, 0);
        }
        return DataReply(request, data);
    }
    if (request.SubCommand() == kHealthFans) {
        const size_t count = std::min(state.fans.size(), kMaxDataBytes - 2);
        std::vector<uint8_t> data{kHealthFans, static_cast<uint8_t>(count)};
        data.insert(data.end(), state.fans.begin(),
                    state.fans.begin() + static_cast<std::ptrdiff_t>(count));
        return DataReply(request, data);
    }
    return Refusal(request, kInvalidData);
}

}  // namespace zsim
