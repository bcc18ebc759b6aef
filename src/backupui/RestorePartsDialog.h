#pragma once

#include <QDialog>
#include <utility>
#include <vector>

#include "backup/BackupPart.h"

class QCheckBox;
class QPushButton;

namespace zerandi {

struct RouterBackup;

// "Restore Router": which parts of the backup to write, one check box a part, all ticked; a
// part the backup does not hold is shown unticked and disabled. "Restore" and "Show Changes"
// need one part at least; "Show Changes" leaves the dialog open and asks, by ShowChanges, for
// the writes a restore of the ticked parts would make.
class RestorePartsDialog : public QDialog {
    Q_OBJECT

public:
    RestorePartsDialog(const RouterBackup& backup, const QString& path, QWidget* parent);

    // The ticked parts, in write order.
    std::vector<BackupPart> ChosenParts() const;

signals:
    void ShowChanges();

private:
    QCheckBox* AddPartBox(const RouterBackup& backup, BackupPart part);
    void UpdateOk();

    std::vector<std::pair<BackupPart, QCheckBox*>> boxes_;
    QPushButton* ok_ = nullptr;
    QPushButton* showChanges_ = nullptr;
};

}  // namespace zerandi
