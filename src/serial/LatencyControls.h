#pragma once

#include <QString>
#include <optional>

namespace zerandi {

// The system's low-latency settings of an open serial device: the driver's low-latency flag
// on the descriptor and a USB adapter's latency timer in sysfs. Tests replace it with a fake.
class LatencyControls {
public:
    virtual ~LatencyControls() = default;

    // The driver's low-latency flag; nothing when the device has no such setting.
    virtual std::optional<bool> LowLatencyFlag(int descriptor) = 0;
    virtual bool SetLowLatencyFlag(int descriptor, bool on) = 0;

    // The adapter's latency timer in milliseconds; nothing when there is none to read.
    virtual std::optional<int> LatencyTimerMs(const QString& timerFile) = 0;
    virtual bool SetLatencyTimerMs(const QString& timerFile, int milliseconds) = 0;
};

}  // namespace zerandi
