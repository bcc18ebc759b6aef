#include "DefaultRouterState.h"

#include <algorithm>
#include <cstdio>

namespace zsim {
namespace {

constexpr uint16_t kTriStateSource = 0xF3F3;
constexpr uint16_t kNoAddress = 0xFFFF;
constexpr size_t kScrambleEntries = 256;
constexpr uint8_t kPortTypeChoices = 3;  // the types every card offers

// Reference bits of a router whose references and clocks are all fine. The QR1209 reports
// clock, AES reference and video detect with inverted bits.
constexpr uint8_t kGoodReferences = 0x3B;
constexpr uint8_t kGoodReferencesQr1209 = 0x40;
constexpr uint8_t kQr1209Id = 12;
// Active, healthy, in the primary slot, the other card healthy.
constexpr uint8_t kActiveHealthyCard = 0x68;

uint8_t LowBits(unsigned count) {
    return static_cast<uint8_t>((1u << std::min(count, 8u)) - 1);
}

std::string VersionName(uint16_t number, const std::array<uint8_t, 3>& version) {
    char text[32];
    std::snprintf(text, sizeof text, "SV%04u-%02u%02u%02u", number, version[0], version[1],
                  version[2]);
    return text;
}

VersionRecord Version(uint8_t type, uint8_t kind, uint16_t number, std::array<uint8_t, 3> version,
                      const char* part, const char* description) {
    return VersionRecord{type,       kind,       VersionName(number, version),
                         part,       version[0], version[1],
                         version[2], number,     description};
}

std::vector<VersionRecord> DefaultVersions(bool extendedCard) {
    std::vector<VersionRecord> versions{
        Version(0, 0, 101, {1, 2, 0}, "A", "Diagnostics boot loader"),
        Version(0, 1, 102, {2, 10, 3}, "B", "Diagnostics application"),
        Version(1, 0, 201, {1, 0, 4}, "A", "Matrix boot loader"),
        Version(1, 1, 202, {3, 1, 12}, "C", "Matrix control application"),
        Version(2, 0, 301, {1, 1, 0}, "A", "Communications boot loader"),
        Version(2, 1, 302, {2, 4, 7}, "", "Communications application"),
        Version(16, 2, 401, {1, 3, 0}, "D", "Crosspoint logic device"),
    };
    if (extendedCard) {
        versions.push_back(Version(17, 2, 402, {1, 3, 1}, "D", "Frame logic device"));
    }
    return versions;
}

// The brief list repeats some components of the detailed one and adds others, as older cards
// know only this list.
std::vector<BriefVersion> DefaultBriefVersions() {
    return {
        BriefVersion{0, 1, 102, {2, 10, 3}}, BriefVersion{1, 1, 202, {3, 1, 12}},
        BriefVersion{2, 1, 302, {2, 4, 7}},  BriefVersion{16, 2, 401, {1, 3, 0}},
        BriefVersion{17, 2, 402, {1, 3, 1}}, BriefVersion{18, 2, 403, {1, 0, 9}},
    };
}

unsigned LevelCount(uint16_t inputs) {
    if (inputs <= 256) {
        return 1;
    }
    return inputs <= 1024 ? 2 : 4;
}

std::vector<LevelRecord> DefaultLevels(const SimModel& model) {
    const unsigned count = LevelCount(model.inputs);
    std::vector<LevelRecord> levels;
    for (unsigned i = 0; i < count; ++i) {
        LevelRecord level;
        level.signalType = i % 2 == 0 ? model.signalTypeA : model.signalTypeB;
        level.levelNumber = static_cast<uint8_t>(i);
        level.physicalInputStart = static_cast<uint16_t>(i * model.inputs / count + 1);
        level.physicalInputEnd = static_cast<uint16_t>((i + 1) * model.inputs / count);
        level.controllerInputStart = static_cast<uint16_t>(level.physicalInputStart - 1);
        level.defaultInput =
            IsDataRouterId(model.productId) ? kTriStateSource : level.physicalInputStart;
        level.physicalOutputStart = static_cast<uint16_t>(i * model.outputs / count + 1);
        level.physicalOutputEnd = static_cast<uint16_t>((i + 1) * model.outputs / count);
        level.controllerOutputStart = static_cast<uint16_t>(level.physicalOutputStart - 1);
        levels.push_back(level);
    }
    return levels;
}

// Inputs map straight through; outputs swap in pairs, so a read differs from a blank map.
std::array<uint16_t, 1024> DefaultScramble(const SimModel& model) {
    std::array<uint16_t, 1024> table;
    table.fill(kNoAddress);
    const size_t inputs = std::min<size_t>(model.inputs, kScrambleEntries);
    const size_t outputs = std::min<size_t>(model.outputs, kScrambleEntries);
    for (size_t k = 0; k < inputs; ++k) {
        table[k] = static_cast<uint16_t>(k + 1);
    }
    for (size_t k = 0; k < outputs; ++k) {
        const size_t partner = (k ^ 1u) < outputs ? (k ^ 1u) : k;
        table[2 * kScrambleEntries + k] = static_cast<uint16_t>(partner + 1);
    }
    return table;
}

HealthStatus DefaultHealth(const SimModel& model) {
    HealthStatus health;
    health.references = model.productId == kQr1209Id ? kGoodReferencesQr1209 : kGoodReferences;
    health.cardStatus = kActiveHealthyCard;
    health.powerSupplies = LowBits(model.powerSupplies);
    health.powerSupplyTemperatures = health.powerSupplies;
    return health;
}

size_t FanCount(uint16_t inputs) {
    if (inputs <= 128) {
        return 2;
    }
    if (inputs <= 256) {
        return 3;
    }
    return inputs <= 1024 ? 4 : 6;
}

std::vector<EthernetSetting> DefaultEthernet() {
    return {EthernetSetting{0, 1, {192, 168, 1, 50}, {255, 255, 255, 0}},
            EthernetSetting{1, 0, {10, 0, 0, 50}, {255, 0, 0, 0}}};
}

uint16_t DefaultSource(size_t outputIndex, uint16_t inputs) {
    return inputs == 0 ? 0 : static_cast<uint16_t>(outputIndex % inputs + 1);
}

}  // namespace

RouterState MakeRouterState(const SimModel& model) {
    RouterState state;
    state.model = model.name;
    state.productId = model.productId;
    state.inputs = model.inputs;
    state.outputs = model.outputs;
    state.monitorOutputs = model.monitorOutputs;
    state.dataRouter = IsDataRouterId(model.productId);
    state.triState = SupportsTriStateId(model.productId);
    state.cardPartNumber = model.cardPartNumber;
    state.cardBytes = {1, 0, 5};
    state.versions = DefaultVersions(IsExtendedCard(model.cardPartNumber));
    state.briefVersions = DefaultBriefVersions();
    state.scrambleEnabled = model.scrambleEnabled;
    state.levels = DefaultLevels(model);
    state.scramble = DefaultScramble(model);
    state.ethernet = DefaultEthernet();
    state.health = DefaultHealth(model);
    state.fans.assign(FanCount(model.inputs), 0);
    FitToRouterSize(state);
    return state;
}

void FitToRouterSize(RouterState& state) {
    for (size_t o = state.crosspoints.size(); o < state.outputs; ++o) {
        state.crosspoints.push_back(DefaultSource(o, state.inputs));
    }
    state.crosspoints.resize(state.outputs);
    for (size_t m = state.monitors.size(); m < state.monitorOutputs; ++m) {
        state.monitors.push_back(static_cast<uint16_t>(std::min<size_t>(m + 1, state.outputs)));
    }
    state.monitors.resize(state.monitorOutputs);
    const size_t ports = state.dataRouter ? state.inputs : 0;
    for (size_t p = state.portTypes.size(); p < ports; ++p) {
        state.portTypes.push_back(static_cast<uint8_t>(p % kPortTypeChoices));
    }
    state.portTypes.resize(ports);
}

}  // namespace zsim
