#include "status/TimerTickGate.h"

#include <QApplication>

#include "shell/UiServices.h"

namespace zerandi {

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

}  // namespace zerandi
