#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

#include "status/StatusPanelReading.h"

namespace zerandi {

// Which controls of the status panel a router model shows, and how the two check boxes
// whose meaning changes with the model are labelled.
struct StatusPanelLayout {
    static constexpr size_t kColumns = 8;

    std::array<bool, kColumns> supplyPresentColumns{};
    bool temperatureRow = false;  // its label
    std::array<bool, kColumns> temperatureColumns{};
    bool verticalRef = true;  // the label and both columns
    bool aesRefLabel = false;
    bool aesRef1 = false;
    bool aesRef2 = false;
    bool twelveMHzClock = false;
    bool clock = false;
    QString clockLabel;
    bool video = false;
    QString videoLabel;
    // Extended cards report no per-processor resets: only the first, unlabelled box stays.
    bool cpuResetNames = true;

    // A reference or clock check box the model shows, with its label.
    struct ShownReference {
        ReferenceControl control;
        QString label;
    };
    // The reference and clock check boxes shown, in the panel's order.
    std::vector<ShownReference> ShownReferences() const;

    // `powerSupplies` is the model's count (0 for a model the program does not know).
    static StatusPanelLayout For(int32_t productId, int32_t powerSupplies, bool extendedCard);
};

}  // namespace zerandi
