#pragma once

#include <functional>

class QTimer;

namespace zerandi {

class UiServices;

// Lets a timer's tick talk to the router only when nothing else may be doing so: no long
// operation holds the busy state, no modal box or dialog runs its own event loop (it may
// sit in the middle of another transaction), and this timer's previous tick has ended.
// A tick that may not run is skipped, not queued.
class TimerTickGate {
public:
    explicit TimerTickGate(UiServices& ui) : ui_(ui) {}

    // Runs `work` now, or not at all; true when it ran.
    bool Run(const std::function<void()>& work);
    bool LinkFree() const;
    // Starts the timer whose ticks pass this gate; one that cannot run is reported, false.
    bool StartTimer(QTimer& timer, int intervalMs);

private:
    UiServices& ui_;
    bool running_ = false;
};

}  // namespace zerandi
