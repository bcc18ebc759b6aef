#pragma once

#include <QWidget>

#include "connect/TakeRules.h"

class QCheckBox;
class QListWidget;
class QPushButton;

namespace zerandi {

class RouterConfigDoc;
class TabStopHeading;
class UiServices;

// The monitors view: lists which output each monitor output of the router shows ("Read")
// and routes an output to a monitor ("Set..."). Shown only while the router is known and
// has monitor outputs.
class RouterMonitorsFormView : public QWidget {
    Q_OBJECT

public:
    static constexpr int kAutoReadDelayMs = kReadAfterTakeDelayMs;

    explicit RouterMonitorsFormView(RouterConfigDoc& doc, QWidget* parent = nullptr);

    void Read();
    void SetMonitor();

private:
    void OnDocumentUpdate();

    RouterConfigDoc& doc_;
    UiServices& ui_;
    QListWidget* monitors_ = nullptr;
    QPushButton* read_ = nullptr;
    QPushButton* set_ = nullptr;
    QCheckBox* autoRead_ = nullptr;
};

}  // namespace zerandi
