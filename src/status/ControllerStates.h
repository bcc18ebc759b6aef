#pragma once

#include <QString>

#include <cstdint>

namespace zerandi {

// The states "Set Controller State" puts a control card in.
inline constexpr uint8_t kControllerOfflineState = 0;
inline constexpr uint8_t kControllerStandbyState = 1;
inline constexpr uint8_t kOtherControllerOfflineState = 2;  // the redundant card goes offline

// What the user is told when a status read or a controller command fails, after the
// transaction's own message.
inline const QString kStatusReadFailedText = QStringLiteral("Unable to read router status data.");
inline const QString kControllerStateFailedText =
    QStringLiteral("Unable to set the state of the controller.");
inline const QString kControllerResetFailedText = QStringLiteral("Unable to reset the controller.");

}  // namespace zerandi
