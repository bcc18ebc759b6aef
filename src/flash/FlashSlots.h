#pragma once

#include <QString>
#include <array>
#include <cstddef>
#include <cstdint>

namespace zerandi {

// The six firmware files a download may name, in the order they are written.
enum FlashSlot : size_t { kDiagSlot, kMtrxSlot, kCommSlot, kPld0Slot, kPld1Slot, kPld2Slot };
inline constexpr size_t kFlashSlotCount = 6;

// Which slots a router offers and how the first is labelled. A slot whose row is decided
// by the router has its file name cleared, so that no file meant for another card is sent.
struct FlashSlotLayout {
    QString firstLabel;
    std::array<bool, kFlashSlotCount> shown{};
    std::array<bool, kFlashSlotCount> cleared{};
};

// The label of a slot's row, "MTRX File"; the first slot's label follows the card.
QString FlashSlotLabel(size_t slot);
// The component id the flash commands take for the slot.
uint8_t FlashSlotComponent(size_t slot);
// The component as the status line names it: "Diag Appl", "PLD0".
QString FlashSlotComponentName(size_t slot);

// The rows for the router: unchanged (all PLD rows shown) while it is not known.
FlashSlotLayout LayoutFlashSlots(const FlashSlotLayout& current, bool productKnown,
                                 bool extendedCard, int32_t productId);

// The slots the router's card takes a file into, by the rows the window shows: every slot
// while the router is not known (an unknown router is still flashed).
std::array<bool, kFlashSlotCount> CardFlashSlots(bool productKnown, bool extendedCard,
                                                 int32_t productId);

// Why a file named for a slot the card does not take is refused: "the CC0353 control card
// has no MTRX slot"; `cardText` names the card as the program names it elsewhere.
QString NoSuchSlotText(const QString& cardText, size_t slot);

// On the CC0209 card the PLD and matrix code must be loaded together: asked when the PLD0
// row is shown, the card is a 209 or not known, and only one of the two files is named.
bool NeedsPairingQuestion(bool pld0Shown, int32_t cardPartNumber, bool mtrxNamed, bool pld0Named);

}  // namespace zerandi
