#include "flash/FlashSlots.h"

#include "config/ComponentNames.h"
#include "config/RouterModelTables.h"

namespace zerandi {

namespace {

struct SlotEntry {
    const char* label;
    uint8_t component;
};

constexpr std::array<SlotEntry, kFlashSlotCount> kSlots{{
    {"DIAG File", 0},
    {"MTRX File", 1},
    {"COMM File", 2},
    {"PLD0 File", 16},
    {"PLD1 File", 17},
    {"PLD2 File", 18},
}};

constexpr int32_t kApplicationImage = 1;
constexpr int32_t kPairedCard = 209;
constexpr int32_t kUnknownCard = -1;
const QString kExtendedFirstLabel = QStringLiteral("APP0 File");

}  // namespace

QString FlashSlotLabel(size_t slot) {
    return QString::fromLatin1(kSlots.at(slot).label);
}

uint8_t FlashSlotComponent(size_t slot) {
    return kSlots.at(slot).component;
}

QString FlashSlotComponentName(size_t slot) {
    return ComponentName(FlashSlotComponent(slot), kApplicationImage);
}

FlashSlotLayout LayoutFlashSlots(const FlashSlotLayout& current, bool productKnown,
                                 bool extendedCard, int32_t productId) {
    FlashSlotLayout layout = current;
    layout.cleared.fill(false);
    layout.shown[kPld0Slot] = layout.shown[kPld1Slot] = layout.shown[kPld2Slot] = true;
    if (!productKnown) {
        return layout;
    }
    const bool pld0 = extendedCard || HasPld0Download(productId);
    layout.firstLabel = extendedCard ? kExtendedFirstLabel : FlashSlotLabel(kDiagSlot);
    layout.shown[kMtrxSlot] = layout.shown[kCommSlot] = !extendedCard;
    layout.shown[kPld0Slot] = pld0;
    layout.shown[kPld1Slot] = layout.shown[kPld2Slot] = extendedCard;
    layout.cleared.fill(true);
    layout.cleared[kDiagSlot] = false;
    return layout;
}

std::array<bool, kFlashSlotCount> CardFlashSlots(bool productKnown, bool extendedCard,
                                                 int32_t productId) {
    FlashSlotLayout everySlot;
    everySlot.shown.fill(true);
    return LayoutFlashSlots(everySlot, productKnown, extendedCard, productId).shown;
}

QString NoSuchSlotText(const QString& cardText, size_t slot) {
    const QString slotName = FlashSlotLabel(slot).section(QLatin1Char(' '), 0, 0);
    return QStringLiteral("the %1 control card has no %2 slot").arg(cardText, slotName);
}

bool NeedsPairingQuestion(bool pld0Shown, int32_t cardPartNumber, bool mtrxNamed, bool pld0Named) {
    const bool pairedCard = cardPartNumber == kUnknownCard || cardPartNumber == kPairedCard;
    return pld0Shown && pairedCard && mtrxNamed != pld0Named;
}

}  // namespace zerandi
