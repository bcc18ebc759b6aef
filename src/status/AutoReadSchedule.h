#pragma once

#include <QString>
#include <cstdint>

namespace zerandi {

// When auto read reads: the timer ticks every tick interval, and a read is due once the
// ticks since the last read add up to the read period.
class AutoReadSchedule {
public:
    static constexpr uint32_t kTickIntervalMs = 2000;
    static constexpr uint32_t kDefaultReadPeriodMs = 2000;

    // The period an entry of the "Auto read every:" list stands for ("2 sec"); the default
    // for anything else, also for no entry.
    static uint32_t ReadPeriodMs(const QString& entry);

    // Starts counting afresh with this read period.
    void Restart(uint32_t readPeriodMs);
    // Counts one tick; true when a read is due (the count then starts again).
    bool Tick();

    uint32_t TickIntervalMs() const { return tickIntervalMs_; }
    uint32_t ReadPeriod() const { return readPeriodMs_; }

private:
    uint32_t tickIntervalMs_ = kTickIntervalMs;
    uint32_t readPeriodMs_ = kDefaultReadPeriodMs;
    uint32_t ticks_ = 0;
};

}  // namespace zerandi
