#include "status/StatusPanelLayout.h"

#include "config/RouterModelTables.h"

namespace zerandi {

namespace {

const QString kClockGenLabel = QStringLiteral("Clock Gen. Present");
const QString kAesSelectedLabel = QStringLiteral("AES Ref. 1 Selected");
const QString kVideoDetectLabel = QStringLiteral("Video Detect OK");
const QString kVertSelectedLabel = QStringLiteral("Vert. Ref. 1 Selected");
const QString kVerticalRef1Label = QStringLiteral("Vertical Ref. 1");
const QString kVerticalRef2Label = QStringLiteral("Vertical Ref. 2");
const QString kAesRef1Label = QStringLiteral("AES Ref. 1");
const QString kAesRef2Label = QStringLiteral("AES Ref. 2");
const QString kTwelveMHzClockLabel = QStringLiteral("12 MHz Clock Ok");

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

std::vector<StatusPanelLayout::ShownReference> StatusPanelLayout::ShownReferences() const {
    const std::array<std::pair<bool, ShownReference>, kReferenceControlCount> all{{
        {verticalRef, {ReferenceControl::VerticalRef1, kVerticalRef1Label}},
        {verticalRef, {ReferenceControl::VerticalRef2, kVerticalRef2Label}},
        {aesRef1, {ReferenceControl::AesRef1, kAesRef1Label}},
        {aesRef2, {ReferenceControl::AesRef2, kAesRef2Label}},
        {clock, {ReferenceControl::Clock, clockLabel}},
        {video, {ReferenceControl::Video, videoLabel}},
        {twelveMHzClock, {ReferenceControl::TwelveMHzClock, kTwelveMHzClockLabel}},
    }};
    std::vector<ShownReference> shown;
    for (const auto& [visible, reference] : all) {
        if (visible) {
            shown.push_back(reference);
        }
    }
    return shown;
}

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
