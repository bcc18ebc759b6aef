#include "connect/RouterMonitorsFormView.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "config/RouterConfigDoc.h"
#include "config/RouterModelTables.h"
#include "connect/ConnectionRows.h"
#include "connect/EditSourceDestRangeDialog.h"
#include "connect/MonitorStatusRead.h"
#include "services/BusyScope.h"
#include "shell/AccessibleName.h"
#include "shell/ChildFrameVisibility.h"
#include "shell/TabStopList.h"

namespace zerandi {

namespace {

const TabStops kMonitorTabStops({10, 30, 44}, TabStopUnit::NumberColumn);

}  // namespace

RouterMonitorsFormView::RouterMonitorsFormView(RouterConfigDoc& doc, QWidget* parent)
    : QWidget(parent), doc_(doc), ui_(doc.Ui()) {
    auto* heading = new TabStopHeading(kMonitorTabStops, this);
    heading->setObjectName(QStringLiteral("monitorsHeading"));
    heading->ShowAsField();
    heading->SetText(QStringLiteral("Output       Monitor"));
    monitors_ = new QListWidget(this);
    monitors_->setObjectName(QStringLiteral("monitors"));
    monitors_->setUniformItemSizes(true);
    SetTabStops(*monitors_, kMonitorTabStops);
    NameControl(monitors_, QStringLiteral("Monitors"));
    read_ = new QPushButton(QStringLiteral("Read"), this);
    read_->setObjectName(QStringLiteral("readMonitors"));
    read_->setDefault(true);
    set_ = new QPushButton(QStringLiteral("Set..."), this);
    set_->setObjectName(QStringLiteral("setMonitor"));
    autoRead_ = new QCheckBox(QStringLiteral("Auto Read after Take"), this);
    autoRead_->setObjectName(QStringLiteral("monitorAutoRead"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(read_);
    buttons->addWidget(set_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(monitors_, 1);
    layout->addLayout(buttons);
    layout->addWidget(autoRead_);
    connect(read_, &QPushButton::clicked, this, &RouterMonitorsFormView::Read);
    connect(set_, &QPushButton::clicked, this, &RouterMonitorsFormView::SetMonitor);
    connect(&doc_, &RouterConfigDoc::ViewsRefresh, this, &RouterMonitorsFormView::OnDocumentUpdate);
}

void RouterMonitorsFormView::OnDocumentUpdate() {
    monitors_->clear();
    ShowChildFrame(*this, doc_.ProductKnown() && ModelMonitorCount(doc_.ProductId()) > 0);
}

void RouterMonitorsFormView::Read() {
    monitors_->clear();
    const auto words = MonitorStatusRead(doc_.CommPort(), ui_).Run(doc_.ProductId());
    if (!words) {
        return;
    }
    QStringList rows;
    int monitor = 1;
    for (const int32_t word : *words) {
        rows << FormatMonitorRow(word, monitor++);
    }
    monitors_->addItems(rows);
}

void RouterMonitorsFormView::SetMonitor() {
    const int32_t productId = doc_.ProductId();
    RangeDialogSetup setup;
    setup.kind = RangeDialogKind::MonitorPair;
    setup.title = QStringLiteral("Set Monitor");
    setup.confirmText = QStringLiteral("Set");
    setup.cancelText = QStringLiteral("Cancel");
    setup.productId = productId;
    setup.inputLimit = static_cast<uint32_t>(ModelOutputCount(productId));
    setup.outputLimit = static_cast<uint32_t>(ModelMonitorCount(productId));
    setup.firstLabel = QStringLiteral("Output");
    setup.outputLabel = QStringLiteral("Monitor");
    const auto values = EditSourceDestRangeDialog::Ask(ui_, setup, {1, 1, 0}, this);
    if (!values) {
        return;
    }
    bool set = false;
    {
        BusyScope busy(ui_);
        set = doc_.CommPort().SetMonitor(static_cast<uint16_t>(values->first),
                                         static_cast<uint16_t>(values->output));
    }
    if (!set) {
        ui_.showMessage(QStringLiteral("Error: Set of monitor failed."), MessageIcon::Warning);
        return;
    }
    if (autoRead_->isChecked()) {
        BusyScope busy(ui_);
        ui_.sleep(kAutoReadDelayMs);
        Read();
    }
}

}  // namespace zerandi
