#include "serial/LowLatencyMode.h"

#include <QFileInfo>

#include "serial/LinuxLatencyControls.h"

namespace zerandi {

namespace {

const QString kSysTtyFolder = QStringLiteral("/sys/class/tty/");
const QString kTimerFileInDevice = QStringLiteral("/device/latency_timer");

const QString kFlagSetText = QStringLiteral("on");
const QString kFlagAlreadySetText = QStringLiteral("already on");
const QString kFlagRefusedText = QStringLiteral("refused by the driver");
const QString kNotAvailableText =
    QStringLiteral("not available on this device; it is used as it is");
const QString kTimerText = QStringLiteral("latency timer %1 ms (was %2 ms)");

QString JoinNotes(const QString& first, const QString& second) {
    if (first.isEmpty() || second.isEmpty()) {
        return first + second;
    }
    return first + QStringLiteral(", ") + second;
}

}  // namespace

LowLatencyMode::LowLatencyMode() : LowLatencyMode(std::make_unique<LinuxLatencyControls>()) {}

LowLatencyMode::LowLatencyMode(std::unique_ptr<LatencyControls> controls)
    : controls_(std::move(controls)) {}

QString LowLatencyMode::Apply(int descriptor, const QString& timerFile) {
    Forget();
    descriptor_ = descriptor;
    const QString flag = ApplyFlag();
    const QString timer = ApplyTimer(timerFile);
    return flag.isEmpty() && timer.isEmpty() ? kNotAvailableText : JoinNotes(flag, timer);
}

QString LowLatencyMode::ApplyFlag() {
    const std::optional<bool> flag = controls_->LowLatencyFlag(descriptor_);
    if (!flag) {
        return {};
    }
    if (*flag) {
        return kFlagAlreadySetText;
    }
    flagSet_ = controls_->SetLowLatencyFlag(descriptor_, true);
    return flagSet_ ? kFlagSetText : kFlagRefusedText;
}

// A timer that is not there or not writable (no permission) is left as it is.
QString LowLatencyMode::ApplyTimer(const QString& file) {
    const std::optional<int> timerMs =
        file.isEmpty() ? std::nullopt : controls_->LatencyTimerMs(file);
    if (!timerMs || *timerMs <= kLatencyTimerMs ||
        !controls_->SetLatencyTimerMs(file, kLatencyTimerMs)) {
        return {};
    }
    timerFile_ = file;
    previousTimerMs_ = timerMs;
    return kTimerText.arg(kLatencyTimerMs).arg(*timerMs);
}

void LowLatencyMode::Restore() {
    if (flagSet_) {
        controls_->SetLowLatencyFlag(descriptor_, false);
    }
    if (previousTimerMs_) {
        controls_->SetLatencyTimerMs(timerFile_, *previousTimerMs_);
    }
    Forget();
}

void LowLatencyMode::Forget() {
    descriptor_ = -1;
    flagSet_ = false;
    timerFile_.clear();
    previousTimerMs_.reset();
}

QString LowLatencyMode::LatencyTimerFile(const QString& systemPath) {
    const QString realPath = QFileInfo(systemPath).canonicalFilePath();
    return realPath.isEmpty() ? QString()
                              : kSysTtyFolder + QFileInfo(realPath).fileName() + kTimerFileInDevice;
}

}  // namespace zerandi
