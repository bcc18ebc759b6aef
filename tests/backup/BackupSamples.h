#pragma once

#include <cstdint>

#include "backup/RouterBackup.h"

namespace zerandi::test {

inline constexpr int32_t kQS1210 = 96;  // video, 64 x 64, 4 monitors
inline constexpr int32_t kQR1207 = 28;  // data router, 128 x 128
inline constexpr int32_t kQS1214 = 99;  // the largest: 2048 x 2048

// A backup of the model with every part it can hold filled with values that differ from one
// entry to the next: a tri-state output and flags where the model has them, port types on a
// data router (port 5 with the unknown code 9), the scramble map when `scrambleOn`, two names.
RouterBackup SampleBackup(int32_t productId, bool scrambleOn);

}  // namespace zerandi::test
