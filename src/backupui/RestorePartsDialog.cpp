#include "backupui/RestorePartsDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "backup/RouterBackup.h"
#include "config/RouterModelTables.h"

namespace zerandi {

namespace {

QString PartLabel(BackupPart part, bool held) {
    QString label = BackupPartName(part);
    label[0] = label[0].toUpper();
    return held ? label : label + QStringLiteral(" (not in this backup)");
}

}  // namespace

RestorePartsDialog::RestorePartsDialog(const RouterBackup& backup, const QString& path,
                                       QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Restore Router"));
    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel(QStringLiteral("Write these parts of the %1 backup\n%2\nto the "
                                              "router, and read them back:")
                                   .arg(ModelName(backup.identity.productId), path),
                               this);
    heading->setObjectName(QStringLiteral("heading"));
    layout->addWidget(heading);
    for (const BackupPart part : AllBackupParts()) {
        layout->addWidget(AddPartBox(backup, part));
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    ok_->setText(QStringLiteral("Restore"));
    // Before anything is written: what the restore would change.
    showChanges_ =
        buttons->addButton(QStringLiteral("&Show Changes"), QDialogButtonBox::ActionRole);
    showChanges_->setObjectName(QStringLiteral("showChanges"));
    showChanges_->setAutoDefault(false);
    connect(showChanges_, &QPushButton::clicked, this, &RestorePartsDialog::ShowChanges);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    UpdateOk();
}

// A check box's accessible name is its own text.
QCheckBox* RestorePartsDialog::AddPartBox(const RouterBackup& backup, BackupPart part) {
    const bool held = BackupHoldsPart(backup, part);
    auto* box = new QCheckBox(PartLabel(part, held), this);
    box->setObjectName(BackupPartWord(part));
    box->setChecked(held);
    box->setEnabled(held);
    connect(box, &QCheckBox::toggled, this, &RestorePartsDialog::UpdateOk);
    boxes_.emplace_back(part, box);
    return box;
}

void RestorePartsDialog::UpdateOk() {
    const bool any = !ChosenParts().empty();
    ok_->setEnabled(any);
    showChanges_->setEnabled(any);
}

std::vector<BackupPart> RestorePartsDialog::ChosenParts() const {
    std::vector<BackupPart> parts;
    for (const auto& [part, box] : boxes_) {
        if (box->isChecked()) {
            parts.push_back(part);
        }
    }
    return parts;
}

}  // namespace zerandi
