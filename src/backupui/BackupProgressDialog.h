#pragma once

#include <QProgressDialog>
#include <QString>

#include "backup/BackupReadSequence.h"

namespace zerandi {

// The progress of a backup, restore or compare run: the step about to start, the steps behind,
// and a Cancel that the run takes between two steps, never in the middle of a transaction.
class BackupProgressDialog : public QProgressDialog {
    Q_OBJECT

public:
    // `activity` heads the step's name: "Reading the router: routing...".
    BackupProgressDialog(const QString& title, const QString& activity);

    // What the run calls before each step; false once Cancel was pressed.
    BackupReadSequence::Progress Callback();

    QString StepText() const { return labelText(); }

private:
    bool ShowStep(int done, int total, const QString& step);

    QString activity_;
};

}  // namespace zerandi
