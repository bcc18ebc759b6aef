#pragma once

#include <QString>
#include <memory>
#include <optional>

#include "serial/LatencyControls.h"

namespace zerandi {

// Asks an open serial device for low latency and puts its previous settings back when the
// port closes. USB adapters otherwise hold received bytes for their latency timer (often
// 16 ms) before handing them over, and every acknowledged transaction waits that long.
class LowLatencyMode {
public:
    static constexpr int kLatencyTimerMs = 1;

    LowLatencyMode();  // the system's own controls
    explicit LowLatencyMode(std::unique_ptr<LatencyControls> controls);

    // Sets low latency on the device just opened, and on its adapter's latency timer where
    // there is one; returns what was found, in words for the communication log.
    QString Apply(int descriptor, const QString& timerFile);
    // Puts back what Apply changed, on the descriptor that is still open.
    void Restore();
    // The device is gone: there is nothing left to put back.
    void Forget();

    // The latency timer of the adapter behind `systemPath`, found from the device's real name
    // (a /dev/serial/by-id link names the same ttyUSB device); empty when there is no device.
    static QString LatencyTimerFile(const QString& systemPath);

private:
    QString ApplyFlag();
    QString ApplyTimer(const QString& timerFile);

    std::unique_ptr<LatencyControls> controls_;
    int descriptor_ = -1;
    bool flagSet_ = false;
    QString timerFile_;
    std::optional<int> previousTimerMs_;
};

}  // namespace zerandi
