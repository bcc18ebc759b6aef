#pragma once

#include <cstdint>

namespace zerandi {

// The states "Set Controller State" puts a control card in.
inline constexpr uint8_t kControllerOfflineState = 0;
inline constexpr uint8_t kControllerStandbyState = 1;
inline constexpr uint8_t kOtherControllerOfflineState = 2;  // the redundant card goes offline

}  // namespace zerandi
