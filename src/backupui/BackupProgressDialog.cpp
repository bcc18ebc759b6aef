#include "backupui/BackupProgressDialog.h"

#include <QCoreApplication>

namespace zerandi {

// Without a parent: the busy state disables the main window, and with it every window it owns.
BackupProgressDialog::BackupProgressDialog(const QString& title, const QString& activity)
    : QProgressDialog(nullptr), activity_(activity) {
    setObjectName(QStringLiteral("backupProgress"));
    setWindowTitle(title);
    setAccessibleName(title);
    setWindowModality(Qt::ApplicationModal);
    setAutoClose(false);
    setAutoReset(false);
    setMinimumDuration(0);
    setCancelButtonText(QStringLiteral("Cancel"));
}

BackupReadSequence::Progress BackupProgressDialog::Callback() {
    return [this](int done, int total, const QString& step) { return ShowStep(done, total, step); };
}

// Between two steps no transaction runs, so the dialog may take its input here: it is the one
// window that accepts any (modal, over a main window disabled by the busy state), and the views'
// timers skip their ticks while the program is busy. Nothing started here can reach the link.
bool BackupProgressDialog::ShowStep(int done, int total, const QString& step) {
    if (!isVisible()) {
        show();
    }
    setMaximum(total);
    setLabelText(QStringLiteral("%1: %2...").arg(activity_, step));
    setValue(done);
    QCoreApplication::processEvents();
    return !wasCanceled();
}

}  // namespace zerandi
