#pragma once

#include "status/ControllerStates.h"

#include <QTimer>
#include <QWidget>

#include "shell/ViewCommands.h"
#include "status/AutoReadSchedule.h"
#include "status/TimerTickGate.h"

class QComboBox;
class QMdiSubWindow;
class QPushButton;

namespace zerandi {

class RouterConfigDoc;
class StatusPanel;

// The health of the router's control system: power supplies, references, card states,
// resets, alarms and fans, read on demand or every two seconds while the view is active,
// and the "Controller State" menu that takes a controller offline, on standby or resets it.
class SystemStatusView : public QWidget, public ViewCommands {
    Q_OBJECT

public:
    static constexpr uint8_t kOfflineState = kControllerOfflineState;
    static constexpr uint8_t kStandbyState = kControllerStandbyState;
    static constexpr uint8_t kOtherOfflineState = kOtherControllerOfflineState;

    explicit SystemStatusView(RouterConfigDoc& doc, QWidget* parent = nullptr);
    ~SystemStatusView() override;

    void AddMenuItems(ViewMenuSet& menus) override;

    // "Read": one status read; false (after its messages) when it failed.
    bool Read();
    // The "Start Auto Read" / "STOP" / "Auto Upload" button.
    void ToggleAutoRead();
    // One tick of the auto-read timer; skipped while the link may be in use.
    void AutoReadTick();
    void SetControllerState(uint8_t state);
    void ResetController();

    bool IsAutoReading() const { return autoRead_; }
    bool IsTimerRunning() const { return autoReadTimer_.isActive(); }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* BuildButtons();
    bool ReadStatus();
    void ReadFans();
    bool StartTimer();
    void StopAutoRead();
    void OnDocumentUpdate();
    void OnWindowActivated(QMdiSubWindow* window);
    void FollowActivation();

    RouterConfigDoc& doc_;
    AutoReadSchedule schedule_;
    TimerTickGate gate_;
    QTimer autoReadTimer_;
    bool autoRead_ = false;
    bool followingActivation_ = false;
    StatusPanel* panel_ = nullptr;
    QPushButton* read_ = nullptr;
    QPushButton* autoReadButton_ = nullptr;
    QComboBox* interval_ = nullptr;
};

}  // namespace zerandi
