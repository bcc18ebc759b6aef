#include "status/SystemStatusView.h"

#include "status/ControllerStates.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>
#include <vector>

#include "config/RouterConfigDoc.h"
#include "config/RouterModelTables.h"
#include "services/BusyScope.h"
#include "shell/AccessibleName.h"
#include "shell/ChildFrameVisibility.h"
#include "shell/ViewMenuSet.h"
#include "status/StatusPanel.h"
#include "status/StatusPanelLayout.h"
#include "status/StatusPanelReading.h"

namespace zerandi {

namespace {

const QString kStartText = QStringLiteral("Start Auto Read");
const QString kStopText = QStringLiteral("STOP");
const QString kStoppedText = QStringLiteral("Auto Upload");
const QString kIntervalEntry = QStringLiteral("2 sec");

}  // namespace

SystemStatusView::SystemStatusView(RouterConfigDoc& doc, QWidget* parent)
    : QWidget(parent), doc_(doc), gate_(doc.Ui()) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildButtons());
    panel_ = new StatusPanel(this);
    panel_->setObjectName(QStringLiteral("statusPanel"));
    layout->addWidget(panel_);
    layout->addStretch();
    autoReadTimer_.setTimerType(Qt::CoarseTimer);
    connect(&autoReadTimer_, &QTimer::timeout, this, &SystemStatusView::AutoReadTick);
    connect(&doc_, &RouterConfigDoc::ViewsRefresh, this, &SystemStatusView::OnDocumentUpdate);
}

SystemStatusView::~SystemStatusView() {
    autoReadTimer_.stop();
}

QWidget* SystemStatusView::BuildButtons() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    read_ = new QPushButton(QStringLiteral("Read"), row);
    read_->setObjectName(QStringLiteral("read"));
    autoReadButton_ = new QPushButton(kStartText, row);
    autoReadButton_->setObjectName(QStringLiteral("autoRead"));
    auto* intervalLabel = new QLabel(QStringLiteral("Auto read every:"), row);
    interval_ = new QComboBox(row);
    interval_->setObjectName(QStringLiteral("interval"));
    interval_->addItem(kIntervalEntry);
    interval_->setCurrentIndex(0);
    LabelControl(intervalLabel, interval_);
    connect(read_, &QPushButton::clicked, this, &SystemStatusView::Read);
    connect(autoReadButton_, &QPushButton::clicked, this, &SystemStatusView::ToggleAutoRead);
    layout->addWidget(read_);
    layout->addWidget(autoReadButton_);
    layout->addWidget(intervalLabel);
    layout->addWidget(interval_);
    layout->addStretch();
    return row;
}

void SystemStatusView::AddMenuItems(ViewMenuSet& menus) {
    QMenu& state = menus.AddMenu(QStringLiteral("Controller &State"));
    QMenu* thisController = state.addMenu(QStringLiteral("This Controller"));
    connect(thisController->addAction(QStringLiteral("Offline")), &QAction::triggered, this,
            [this] { SetControllerState(kOfflineState); });
    connect(thisController->addAction(QStringLiteral("Standby")), &QAction::triggered, this,
            [this] { SetControllerState(kStandbyState); });
    connect(thisController->addAction(QStringLiteral("Reset")), &QAction::triggered, this,
            &SystemStatusView::ResetController);
    QMenu* otherController = state.addMenu(QStringLiteral("Other Controller"));
    connect(otherController->addAction(QStringLiteral("Offline")), &QAction::triggered, this,
            [this] { SetControllerState(kOtherOfflineState); });
}

// ---- Reading ----------------------------------------------------------------------------------

bool SystemStatusView::Read() {
    bool read = false;
    {
        BusyScope busy(doc_.Ui());
        read = ReadStatus();
    }
    if (!read) {
        doc_.Ui().showMessage(kStatusReadFailedText, MessageIcon::Warning);
    }
    return read;
}

// The timer stands still while the router is asked, so that its ticks cannot pile up.
bool SystemStatusView::ReadStatus() {
    autoReadTimer_.stop();
    GeneralHealthStatus health;
    if (!doc_.CommPort().GetGeneralHealth(health)) {
        return false;
    }
    const int32_t firstSignalType = doc_.levels.front().signalType;
    panel_->ShowReading(StatusPanelReading::FromHealth(health, doc_.ProductId(), firstSignalType));
    ReadFans();
    if (autoRead_) {
        StartTimer();
    }
    return true;
}

void SystemStatusView::ReadFans() {
    std::vector<uint8_t> fans;
    if (doc_.CommPort().GetFanStatus(fans) && !fans.empty()) {
        panel_->ShowFans(StatusPanelReading::FanLines(fans));
    } else {
        panel_->ShowFans(std::nullopt);
    }
}

// ---- Auto read --------------------------------------------------------------------------------

void SystemStatusView::ToggleAutoRead() {
    if (autoRead_) {
        StopAutoRead();
        return;
    }
    schedule_.Restart(AutoReadSchedule::ReadPeriodMs(interval_->currentText()));
    if (!StartTimer()) {
        return;
    }
    autoReadButton_->setText(kStopText);
    autoRead_ = true;
    read_->setEnabled(false);
}

void SystemStatusView::StopAutoRead() {
    autoReadTimer_.stop();
    autoReadButton_->setText(kStoppedText);
    autoRead_ = false;
    read_->setEnabled(true);
}

bool SystemStatusView::StartTimer() {
    return gate_.StartTimer(autoReadTimer_, static_cast<int>(schedule_.TickIntervalMs()));
}

void SystemStatusView::AutoReadTick() {
    gate_.Run([this] {
        if (!autoRead_ || !schedule_.Tick()) {
            return;
        }
        doc_.CommPort().LogTimestamp();
        if (!ReadStatus()) {
            // Stopped before the box, so that no tick comes while it is up.
            StopAutoRead();
            doc_.Ui().showMessage(kStatusReadFailedText, MessageIcon::Warning);
        }
    });
}

// ---- Controller state -------------------------------------------------------------------------

void SystemStatusView::SetControllerState(uint8_t state) {
    bool set = false;
    {
        BusyScope busy(doc_.Ui());
        set = doc_.CommPort().SetControllerState(state);
    }
    if (!set) {
        doc_.Ui().showMessage(kControllerStateFailedText, MessageIcon::Warning);
    }
}

void SystemStatusView::ResetController() {
    bool reset = false;
    {
        BusyScope busy(doc_.Ui());
        reset = doc_.CommPort().ResetController();
    }
    if (!reset) {
        doc_.Ui().showMessage(kControllerResetFailedText, MessageIcon::Warning);
    }
}

// ---- Document and activation ------------------------------------------------------------------

void SystemStatusView::OnDocumentUpdate() {
    FollowActivation();
    if (!doc_.ProductKnown()) {
        autoReadTimer_.stop();  // auto read resumes when the router is known again
        ShowChildFrame(*this, false);
        return;
    }
    ShowChildFrame(*this, true);
    panel_->show();
    const int32_t productId = doc_.ProductId();
    panel_->ApplyLayout(StatusPanelLayout::For(productId, ModelPowerSupplyCount(productId),
                                               doc_.IsExtendedControlCard()));
}

void SystemStatusView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FollowActivation();
}

// Auto read runs only while this view is the active one.
void SystemStatusView::FollowActivation() {
    QMdiSubWindow* child = ChildFrameOf(*this);
    QMdiArea* area = child != nullptr ? child->mdiArea() : nullptr;
    if (followingActivation_ || area == nullptr) {
        return;
    }
    followingActivation_ = true;
    connect(area, &QMdiArea::subWindowActivated, this, &SystemStatusView::OnWindowActivated);
}

void SystemStatusView::OnWindowActivated(QMdiSubWindow* window) {
    const bool active = window != nullptr && window == ChildFrameOf(*this);
    if (!active) {
        autoReadTimer_.stop();
    } else if (autoRead_ && !autoReadTimer_.isActive()) {
        StartTimer();
    }
}

}  // namespace zerandi
