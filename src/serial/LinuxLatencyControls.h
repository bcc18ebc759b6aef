#pragma once

#include "serial/LatencyControls.h"

namespace zerandi {

// LatencyControls through the Linux serial ioctls (ASYNC_LOW_LATENCY) and sysfs.
class LinuxLatencyControls : public LatencyControls {
public:
    std::optional<bool> LowLatencyFlag(int descriptor) override;
    bool SetLowLatencyFlag(int descriptor, bool on) override;
    std::optional<int> LatencyTimerMs(const QString& timerFile) override;
    bool SetLatencyTimerMs(const QString& timerFile, int milliseconds) override;
};

}  // namespace zerandi
