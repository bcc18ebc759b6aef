#include "status/StatusPanelLayout.h"

#include "config/RouterModelTables.h"

namespace zerandi {

namespace {

const QString kClockGenLabel = QStringLiteral("Clock Gen. Present");
const QString kAesSelectedLabel = QStringLiteral("AES Ref. 1 Selected");
const QString kVideoDetectLabel = QStringLiteral("Video Detect OK");
const QString kVertSelectedLabel = QStringLiteral("Vert. Ref. 1 Selected");

// The video and clock boxes report a selected reference on the models that can select one.
void ApplyModelReferences(StatusPanelLayout& layout, const RouterModelReferences& references) {
    layout.verticalRef = references.verticalRefs;
    layout.video = references.videoDetect || references.verticalRefSelect;
    layout.videoLabel = references.verticalRefSelect ? kVertSelectedLabel : kVideoDetectLabel;
    layout.aesRefLabel = references.aesRefs > 0;
    layout.aesRef1 = references.aesRefs >= 1;
    layout.aesRef2 = references.aesRefs >= 2;
    layout.twelveMHzClock = references.twelveMHzClock;
    layout.clock = references.clockGenerator || references.aesRefSelect;
    layout.clockLabel = references.aesRefSelect ? kAesSelectedLabel : kClockGenLabel;
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
    ApplyModelReferences(layout, ModelReferences(productId));
    layout.cpuResetNames = !extendedCard;
    return layout;
}

}  // namespace zerandi
