#include "status/TimerTickGate.h"

#include <QApplication>
#include <QTimer>

#include "services/UiServices.h"

namespace zerandi {

namespace {

const QString kNoTimerText =
    QStringLiteral("Could not create a timer.\nStatus messages will not work correctly.");

}  // namespace

bool TimerTickGate::LinkFree() const {
    return !running_ && !ui_.isBusy() && QApplication::activeModalWidget() == nullptr;
}

bool TimerTickGate::Run(const std::function<void()>& work) {
    if (!LinkFree()) {
        return false;
    }
    running_ = true;
    struct Release {
        bool& flag;
        ~Release() { flag = false; }
    } release{running_};
    work();
    return true;
}

bool TimerTickGate::StartTimer(QTimer& timer, int intervalMs) {
    timer.start(intervalMs);
    if (!timer.isActive()) {
        ui_.showMessage(kNoTimerText, MessageIcon::Warning);
        return false;
    }
    return true;
}

}  // namespace zerandi
