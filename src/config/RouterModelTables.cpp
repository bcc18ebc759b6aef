#include "config/RouterModelTables.h"

#include <algorithm>
#include <array>

#include "config/SignalTypes.h"
#include "config/TableLookup.h"
#include "protocol/RouterLevel.h"

namespace zerandi {

namespace {

constexpr int32_t kQR1205 = 8;
constexpr int32_t kQR1206 = 64;
constexpr int32_t kQR1207 = 28;
constexpr int32_t kQR1208 = 56;
constexpr int32_t kQR1209 = 12;
constexpr int32_t kQS1214 = 99;

// Besides TriStateSource, the "disconnected" source numbers of the models that have them.
constexpr int32_t kSmallRouterTriState1 = 255;
constexpr int32_t kSmallRouterTriState2 = 256;
constexpr int32_t kLargeDataRouterTriState = 0xFFFF;

constexpr std::array<RouterModelName, 17> kModelNames{{
    {55, "QR1201"},
    {60, "QR1202"},
    {61, "QR1203"},
    {62, "QR1204"},
    {8, "QR1205"},
    {64, "QR1206"},
    {28, "QR1207"},
    {56, "QR1208"},
    {12, "QR1209"},
    {96, "QS1210"},
    {97, "QS1211"},
    {98, "QS1212"},
    {69, "QS1213"},
    {99, "QS1214"},
    {63, "QS1215"},
    {95, "QR1216"},
    {90, "QR1217"},
}};

constexpr std::array<RouterModel, 11> kModelSizes{{
    // id, inputs, outputs, monitor outputs, power supplies
    {8, 16, 8, 0, 2},
    {64, 64, 64, 0, 2},
    {28, 128, 128, 0, 2},
    {56, 256, 256, 0, 4},
    {12, 2048, 512, 6, 2},
    {96, 64, 64, 4, 2},
    {97, 128, 128, 4, 4},
    {98, 1024, 1024, 4, 8},
    {69, 1024, 1024, 8, 8},
    {99, 2048, 2048, 4, 2},
    {63, 256, 256, 2, 8},
}};

constexpr std::array<int32_t, 2> kDataRouters{kQR1207, kQR1208};
constexpr std::array<int32_t, 3> kFixedRearDiagModels{kQR1207, kQR1208, kQR1206};
constexpr std::array<int32_t, 4> kModelsWithoutPld0{kQR1209, kQR1207, kQR1208, kQR1206};

constexpr std::array<RouterModelReferences, 5> kModelReferences{{
    {.productId = kQR1209,
     .verticalRefs = false,
     .videoDetect = true,
     .aesRefs = 1,
     .clockGenerator = true},
    {.productId = kQR1207, .verticalRefSelect = true},
    {.productId = kQR1208, .verticalRefSelect = true},
    {.productId = kQR1206,
     .verticalRefSelect = true,
     .aesRefs = 2,
     .aesRefSelect = true,
     .twelveMHzClock = true},
    {.productId = kQS1214, .aesRefs = 2},
}};

// Signal types each model accepts beyond Monitor, Data Forward and the data-router types.
struct ModelSignalTypes {
    int32_t productId;
    std::span<const int32_t> signalTypes;
};

constexpr std::array<int32_t, 2> kAesTypes{SignalType::kAesAsync, SignalType::kAesSync};
constexpr std::array<int32_t, 2> kVideoTypes{SignalType::kDigitalVideo,
                                             SignalType::kSdDigitalVideo};
constexpr std::array<int32_t, 3> kAesWithMonoTypes{SignalType::kAesAsync, SignalType::kAesSync,
                                                   SignalType::kAesMono};
constexpr std::array<int32_t, 2> kDataRouterTypes{SignalType::kRs422Data,
                                                  SignalType::kDataBroadcast};

constexpr std::array<ModelSignalTypes, 9> kModelSignalTypes{{
    {8, kAesTypes},
    {12, kAesTypes},
    {64, kAesTypes},
    {63, kVideoTypes},
    {69, kVideoTypes},
    {96, kVideoTypes},
    {97, kVideoTypes},
    {98, kVideoTypes},
    {99, kAesWithMonoTypes},
}};

template <typename Values>
bool Contains(const Values& values, int32_t value) {
    return std::find(values.begin(), values.end(), value) != values.end();
}

int32_t ModelSize(int32_t productId, int32_t RouterModel::*field) {
    const RouterModel* row =
        FindLastRow(kModelSizes, [&](const RouterModel& m) { return m.productId == productId; });
    return row != nullptr ? row->*field : 0;
}

bool ModelAcceptsSignalType(int32_t productId, int32_t signalType) {
    const ModelSignalTypes* row = FindLastRow(
        kModelSignalTypes, [&](const ModelSignalTypes& m) { return m.productId == productId; });
    return row != nullptr && Contains(row->signalTypes, signalType);
}

}  // namespace

std::span<const uint8_t> SettableRouterTypes() {
    static constexpr std::array<uint8_t, 3> kSettable{64, 28, 56};
    return kSettable;
}

std::span<const RouterModelName> RouterModelNames() {
    return kModelNames;
}

QString ModelName(int32_t productId) {
    const RouterModelName* row = FindLastRow(
        kModelNames, [&](const RouterModelName& m) { return m.productId == productId; });
    return row != nullptr ? QString::fromLatin1(row->name) : QStringLiteral("unknown");
}

int32_t ModelInputCount(int32_t productId) {
    return ModelSize(productId, &RouterModel::inputs);
}

int32_t ModelOutputCount(int32_t productId) {
    return ModelSize(productId, &RouterModel::outputs);
}

int32_t ModelMonitorCount(int32_t productId) {
    return ModelSize(productId, &RouterModel::monitorOutputs);
}

int32_t ModelPowerSupplyCount(int32_t productId) {
    return ModelSize(productId, &RouterModel::powerSupplies);
}

bool IsDataRouter(int32_t productId) {
    return Contains(kDataRouters, productId);
}

bool SupportsTriState(int32_t productId) {
    return productId == kQR1205 || IsDataRouter(productId);
}

bool IsTriStateSource(int32_t source, int32_t productId) {
    if (!SupportsTriState(productId)) {
        return false;
    }
    if (source == TriStateSource) {
        return true;
    }
    if (productId == kQR1205 || productId == kQR1207) {
        return source == kSmallRouterTriState1 || source == kSmallRouterTriState2;
    }
    return productId == kQR1208 && source == kLargeDataRouterTriState;
}

bool HasSelectableRearDiag(int32_t productId) {
    return !Contains(kFixedRearDiagModels, productId);
}

bool SupportsSignalType(int32_t productId, int32_t signalType) {
    if (signalType == SignalType::kMonitor && ModelMonitorCount(productId) > 0) {
        return true;
    }
    if (signalType == SignalType::kDataForward) {
        return true;
    }
    if (IsDataRouter(productId) && Contains(kDataRouterTypes, signalType)) {
        return true;
    }
    return ModelAcceptsSignalType(productId, signalType);
}

RouterModelReferences ModelReferences(int32_t productId) {
    const RouterModelReferences* row = FindLastRow(
        kModelReferences, [&](const RouterModelReferences& m) { return m.productId == productId; });
    return row != nullptr ? *row : RouterModelReferences{.productId = productId};
}

bool HasPld0Download(int32_t productId) {
    return !Contains(kModelsWithoutPld0, productId);
}

}  // namespace zerandi
