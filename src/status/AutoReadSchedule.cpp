#include "status/AutoReadSchedule.h"

#include <QRegularExpression>

namespace zerandi {

uint32_t AutoReadSchedule::ReadPeriodMs(const QString& entry) {
    static const QRegularExpression kSeconds(QStringLiteral("^([1-9][0-9]{0,3}) sec$"));
    const QRegularExpressionMatch match = kSeconds.match(entry);
    constexpr uint32_t kMsPerSecond = 1000;
    return match.hasMatch() ? match.captured(1).toUInt() * kMsPerSecond : kDefaultReadPeriodMs;
}

void AutoReadSchedule::Restart(uint32_t readPeriodMs) {
    ticks_ = 0;
    tickIntervalMs_ = kTickIntervalMs;
    readPeriodMs_ = readPeriodMs;
}

bool AutoReadSchedule::Tick() {
    ++ticks_;
    if (static_cast<uint64_t>(ticks_) * tickIntervalMs_ < readPeriodMs_) {
        return false;
    }
    ticks_ = 0;
    return true;
}

}  // namespace zerandi
