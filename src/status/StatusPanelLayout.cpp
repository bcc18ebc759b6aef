#include "status/StatusPanelLayout.h"

namespace zerandi {

namespace {

constexpr int32_t kClockGeneratorModel = 12;
constexpr int32_t kVideoModelA = 28;
constexpr int32_t kVideoModelB = 56;
constexpr int32_t kReferenceSelectModel = 64;
constexpr int32_t kAesReferenceModel = 99;

const QString kClockGenLabel = QStringLiteral("Clock Gen. Present");
const QString kAesSelectedLabel = QStringLiteral("AES Ref. 1 Selected");
const QString kVideoDetectLabel = QStringLiteral("Video Detect OK");
const QString kVertSelectedLabel = QStringLiteral("Vert. Ref. 1 Selected");

void ShowBothAesColumns(StatusPanelLayout& layout) {
    layout.aesRefLabel = true;
    layout.aesRef1 = true;
    layout.aesRef2 = true;
}

void ApplyModelReferences(StatusPanelLayout& layout, int32_t productId) {
    switch (productId) {
        case kClockGeneratorModel:
            layout.verticalRef = false;
            layout.video = true;
            layout.aesRefLabel = true;
            layout.aesRef1 = true;
            layout.clock = true;
            break;
        case kVideoModelA:
        case kVideoModelB:
            layout.video = true;
            layout.videoLabel = kVertSelectedLabel;
            break;
        case kReferenceSelectModel:
            layout.video = true;
            layout.videoLabel = kVertSelectedLabel;
            layout.clock = true;
            layout.clockLabel = kAesSelectedLabel;
            ShowBothAesColumns(layout);
            layout.twelveMHzClock = true;
            break;
        case kAesReferenceModel:
            ShowBothAesColumns(layout);
            break;
        default:
            break;
    }
}

}  // namespace

StatusPanelLayout StatusPanelLayout::For(int32_t productId, int32_t powerSupplies,
                                         bool extendedCard) {
    StatusPanelLayout layout;
    for (size_t i = 0; i < kColumns; ++i) {
        const int32_t column = static_cast<int32_t>(i) + 1;
        const bool supplyExists = column == 1 || powerSupplies >= column;
        layout.supplyPresentColumns.at(i) = supplyExists;
        layout.temperatureColumns.at(i) = extendedCard && supplyExists;
    }
    layout.temperatureRow = extendedCard;
    layout.clockLabel = kClockGenLabel;
    layout.videoLabel = kVideoDetectLabel;
    ApplyModelReferences(layout, productId);
    layout.cpuResetNames = !extendedCard;
    return layout;
}

}  // namespace zerandi
