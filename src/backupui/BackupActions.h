#pragma once

#include <QObject>
#include <QString>
#include <optional>
#include <vector>

#include "backup/BackupRestoreSequence.h"
#include "backup/RouterBackup.h"

namespace zerandi {

class CMainFrame;
class RouterConfigDoc;
class UiServices;

// What the File menu's "Back Up Router...", "Restore Router..." and "Compare with Router..."
// do, enabled once the router is known: the file prompt, the run with its progress and Cancel,
// the questions and the result window. The reading, writing and comparing are the backup
// classes'; this only leads a person through them.
class BackupActions : public QObject {
    Q_OBJECT

public:
    static constexpr const char* kFileExtension = "zbk";

    BackupActions(RouterConfigDoc& doc, CMainFrame& frame);

    void BackUp();
    void Restore();
    void Compare();

private:
    struct ChosenBackup {
        QString path;
        RouterBackup backup;
    };

    UiServices& Ui() const;
    void UpdateEnabled();
    // A backup file the user picks, read and checked whole; nothing when the prompt was
    // cancelled or the file refused (the refusal is told).
    std::optional<ChosenBackup> ChooseBackup(const QString& title);
    // The router's backup, read in the busy state under a progress dialog; nothing when it
    // was cancelled or failed (the failure is told).
    std::optional<RouterBackup> ReadRouter(const QString& title);
    // One run of the restore, or of its preview, in the busy state under a progress dialog.
    BackupRestoreSequence::Outcome RunRestore(BackupRestoreSequence& sequence,
                                              bool otherRouterConfirmed, bool preview = false);
    // "Show Changes": reads the router and lists every write a restore of `parts` would
    // make, writing nothing. A backup of another router is previewed only when the user says
    // so, which `otherRouterConfirmed` then keeps for the restore.
    void ShowChanges(const ChosenBackup& chosen, const std::vector<BackupPart>& parts,
                     bool& otherRouterConfirmed);
    // Whether the user restores a backup of another router all the same.
    bool ConfirmOtherRouter(const BackupRestoreSequence& sequence);

    RouterConfigDoc& doc_;
    CMainFrame& frame_;
};

}  // namespace zerandi
