#include "ModelCatalog.h"

#include <algorithm>
#include <array>

namespace zsim {
namespace {

constexpr uint16_t kPlainCard = 209;
constexpr uint16_t kExtendedCard = 263;
constexpr uint16_t kLateExtendedCard = 353;

// Models without a published size still answer as a small router so that every command works.
constexpr uint16_t kUnsizedPorts = 32;

constexpr uint8_t kAesAsync = 1;
constexpr uint8_t kAesSync = 2;
constexpr uint8_t kSerialData = 3;
constexpr uint8_t kDataBroadcast = 5;
constexpr uint8_t kDigitalVideo = 6;
constexpr uint8_t kSdDigitalVideo = 127;
constexpr uint8_t kAesMono = 7;
constexpr uint8_t kDataForward = 8;

constexpr std::array kModels{
    SimModel{"QR1201", 55, kUnsizedPorts, kUnsizedPorts, 0, 2, kPlainCard, false, kDataForward,
             kDataForward},
    SimModel{"QR1202", 60, kUnsizedPorts, kUnsizedPorts, 0, 2, kPlainCard, false, kDataForward,
             kDataForward},
    SimModel{"QR1203", 61, kUnsizedPorts, kUnsizedPorts, 0, 2, kPlainCard, false, kDataForward,
             kDataForward},
    SimModel{"QR1204", 62, kUnsizedPorts, kUnsizedPorts, 0, 2, kPlainCard, false, kDataForward,
             kDataForward},
    SimModel{"QR1205", 8, 16, 8, 0, 2, kPlainCard, false, kAesAsync, kAesSync},
    SimModel{"QR1206", 64, 64, 64, 0, 2, kPlainCard, false, kAesAsync, kAesSync},
    SimModel{"QR1207", 28, 128, 128, 0, 2, kPlainCard, false, kSerialData, kDataBroadcast},
    SimModel{"QR1208", 56, 256, 256, 0, 4, kPlainCard, false, kSerialData, kDataBroadcast},
    SimModel{"QR1209", 12, 2048, 512, 6, 2, kExtendedCard, false, kAesAsync, kAesSync},
    SimModel{"QS1210", 96, 64, 64, 4, 2, kPlainCard, true, kDigitalVideo, kSdDigitalVideo},
    SimModel{"QS1211", 97, 128, 128, 4, 4, kPlainCard, true, kDigitalVideo, kSdDigitalVideo},
    SimModel{"QS1212", 98, 1024, 1024, 4, 8, kPlainCard, true, kDigitalVideo, kSdDigitalVideo},
    SimModel{"QS1213", 69, 1024, 1024, 8, 8, kExtendedCard, true, kDigitalVideo, kSdDigitalVideo},
    SimModel{"QS1214", 99, 2048, 2048, 4, 2, kLateExtendedCard, true, kAesAsync, kAesMono},
    SimModel{"QS1215", 63, 256, 256, 2, 8, kPlainCard, true, kDigitalVideo, kSdDigitalVideo},
    SimModel{"QR1216", 95, kUnsizedPorts, kUnsizedPorts, 0, 2, kPlainCard, false, kDataForward,
             kDataForward},
    SimModel{"QR1217", 90, kUnsizedPorts, kUnsizedPorts, 0, 2, kPlainCard, false, kDataForward,
             kDataForward},
};

}  // namespace

std::span<const SimModel> AllModels() {
    return kModels;
}

const SimModel* FindModel(const std::string& name) {
    const auto it = std::find_if(kModels.begin(), kModels.end(),
                                 [&](const SimModel& model) { return name == model.name; });
    return it == kModels.end() ? nullptr : &*it;
}

bool IsExtendedCard(uint16_t partNumber) {
    return partNumber == 263 || partNumber == 353 || partNumber == 374;
}

bool IsDataRouterId(uint8_t productId) {
    return productId == 28 || productId == 56;
}

bool SupportsTriStateId(uint8_t productId) {
    return productId == 8 || IsDataRouterId(productId);
}

}  // namespace zsim
