#include "backupui/BackupActions.h"

#include <QAction>

#include "backup/BackupCompare.h"
#include "backup/BackupFile.h"
#include "backup/BackupReadSequence.h"
#include "backupui/BackupProgressDialog.h"
#include "backupui/BackupResultDialog.h"
#include "backupui/RestorePartsDialog.h"
#include "config/RouterConfigDoc.h"
#include "config/RouterModelTables.h"
#include "services/BusyScope.h"
#include "services/UiServices.h"
#include "shell/CMainFrame.h"

namespace zerandi {

namespace {

const QString kBackUpTitle = QStringLiteral("Back Up Router");
const QString kRestoreTitle = QStringLiteral("Restore Router");
const QString kCompareTitle = QStringLiteral("Compare with Router");

QString RestoreHeading(BackupRestoreSequence::Outcome outcome, const QString& path) {
    switch (outcome) {
        case BackupRestoreSequence::Outcome::Restored:
            return QStringLiteral("The router was restored from\n%1\nand reads back as the backup.")
                .arg(path);
        case BackupRestoreSequence::Outcome::Different:
            return QStringLiteral(
                       "The router was restored from\n%1\nbut it reads back differently.")
                .arg(path);
        case BackupRestoreSequence::Outcome::Cancelled:
            return QStringLiteral("The restore from\n%1\nwas cancelled.").arg(path);
        case BackupRestoreSequence::Outcome::Refused:
            return QStringLiteral("The backup\n%1\nwas not restored.").arg(path);
        case BackupRestoreSequence::Outcome::Previewed:
            return QStringLiteral("Nothing was written. A restore from\n%1\nwould write:")
                .arg(path);
        case BackupRestoreSequence::Outcome::Failed:
            break;
    }
    return QStringLiteral("The restore from\n%1\nfailed.").arg(path);
}

// What "Show Changes" found: the writes, or why it could not tell them.
QString ChangesHeading(BackupRestoreSequence::Outcome outcome, const QString& path) {
    switch (outcome) {
        case BackupRestoreSequence::Outcome::Previewed:
            return RestoreHeading(outcome, path);
        case BackupRestoreSequence::Outcome::Cancelled:
            return QStringLiteral("Reading the router was cancelled. Nothing was written.");
        default:
            break;
    }
    return QStringLiteral(
               "The changes a restore from\n%1\nwould make could not be worked out. "
               "Nothing was written.")
        .arg(path);
}

FilePrompt BackupFilePrompt(const QString& title, const QString& initialName) {
    const QString extension = QString::fromLatin1(BackupActions::kFileExtension);
    FilePrompt prompt;
    prompt.title = title;
    prompt.initialName = initialName.isEmpty() ? QStringLiteral("*.") + extension : initialName;
    prompt.defaultExtension = extension;
    prompt.filter = QStringLiteral("Zerandi Backups (*.%1)").arg(extension);
    return prompt;
}

}  // namespace

BackupActions::BackupActions(RouterConfigDoc& doc, CMainFrame& frame) : doc_(doc), frame_(frame) {
    connect(&frame_.BackUpAction(), &QAction::triggered, this, &BackupActions::BackUp);
    connect(&frame_.RestoreAction(), &QAction::triggered, this, &BackupActions::Restore);
    connect(&frame_.CompareAction(), &QAction::triggered, this, &BackupActions::Compare);
    connect(&doc_, &RouterConfigDoc::ViewsRefresh, this, &BackupActions::UpdateEnabled);
    UpdateEnabled();
}

UiServices& BackupActions::Ui() const {
    return doc_.Ui();
}

void BackupActions::UpdateEnabled() {
    for (QAction* action :
         {&frame_.BackUpAction(), &frame_.RestoreAction(), &frame_.CompareAction()}) {
        action->setEnabled(doc_.ProductKnown());
    }
}

void BackupActions::BackUp() {
    const QString initialName =
        ModelName(doc_.ProductId()) + QLatin1Char('.') + QString::fromLatin1(kFileExtension);
    const std::optional<QString> path =
        Ui().promptSaveFile(BackupFilePrompt(kBackUpTitle, initialName));
    if (!path) {
        return;
    }
    const std::optional<RouterBackup> backup = ReadRouter(kBackUpTitle);
    if (backup && BackupFile::Save(Ui(), *path, *backup)) {
        Ui().showMessage(QStringLiteral("The router was backed up to\n%1").arg(*path),
                         MessageIcon::Information);
    }
}

void BackupActions::Compare() {
    const std::optional<ChosenBackup> chosen = ChooseBackup(kCompareTitle);
    if (!chosen) {
        return;
    }
    const std::optional<RouterBackup> live = ReadRouter(kCompareTitle);
    if (!live) {
        return;
    }
    BackupResultDialog result(
        kCompareTitle,
        QStringLiteral(
            "How the router as it is now differs from the backup\n%1\n(backup → router):")
            .arg(chosen->path),
        QStringLiteral("&Differences:"), &frame_);
    result.ShowDifferences(CompareBackups(chosen->backup, *live));
    Ui().runDialog(result);
}

std::optional<BackupActions::ChosenBackup> BackupActions::ChooseBackup(const QString& title) {
    const std::optional<QString> path = Ui().promptOpenFile(BackupFilePrompt(title, {}));
    if (!path) {
        return std::nullopt;
    }
    std::optional<RouterBackup> backup = BackupFile::Load(Ui(), *path);
    if (!backup) {
        return std::nullopt;
    }
    return ChosenBackup{*path, std::move(*backup)};
}

std::optional<RouterBackup> BackupActions::ReadRouter(const QString& title) {
    BackupReadSequence sequence(doc_);
    std::optional<RouterBackup> backup;
    {
        BusyScope busy(Ui());
        BackupProgressDialog progress(title, QStringLiteral("Reading the router"));
        backup = sequence.Run(progress.Callback());
    }
    if (sequence.Result() == BackupReadSequence::Outcome::Failed) {
        Ui().showMessage(sequence.Failure(), MessageIcon::Warning);
    }
    return backup;
}

void BackupActions::Restore() {
    const std::optional<ChosenBackup> chosen = ChooseBackup(kRestoreTitle);
    if (!chosen) {
        return;
    }
    RestorePartsDialog partsDialog(chosen->backup, chosen->path, &frame_);
    bool otherRouterConfirmed = false;
    connect(&partsDialog, &RestorePartsDialog::ShowChanges, this,
            [&] { ShowChanges(*chosen, partsDialog.ChosenParts(), otherRouterConfirmed); });
    if (!Ui().runDialog(partsDialog)) {
        return;
    }
    BackupRestoreSequence sequence(doc_, chosen->backup, partsDialog.ChosenParts());
    if (RunRestore(sequence, otherRouterConfirmed) == BackupRestoreSequence::Outcome::Refused &&
        !otherRouterConfirmed) {
        if (!ConfirmOtherRouter(sequence)) {
            return;
        }
        RunRestore(sequence, true);
    }
    if (const std::optional<ConfigViewSettings>& settings = sequence.ReadBackSettings()) {
        emit doc_.ConfigurationRead(*settings);
    }
    // The result first; the reset only after a restore that neither failed nor was cancelled.
    BackupResultDialog result(kRestoreTitle, RestoreHeading(sequence.Result(), chosen->path),
                              QStringLiteral("&Parts:"), &frame_);
    result.ShowLines(sequence.SummaryLines());
    Ui().runDialog(result);
    if (sequence.ResetDue() &&
        doc_.AskAndResetController(RouterConfigDoc::ConfigurationResetQuestion())) {
        QStringList afterReset;
        {
            BusyScope busy(Ui());
            afterReset = sequence.ReadAfterReset();
        }
        Ui().showMessage(afterReset.join(QLatin1Char('\n')), MessageIcon::Information);
    }
}

BackupRestoreSequence::Outcome BackupActions::RunRestore(BackupRestoreSequence& sequence,
                                                         bool otherRouterConfirmed, bool preview) {
    BusyScope busy(Ui());
    BackupProgressDialog progress(kRestoreTitle, preview ? QStringLiteral("Reading the router")
                                                         : QStringLiteral("Restoring"));
    return preview ? sequence.Preview(progress.Callback(), otherRouterConfirmed)
                   : sequence.Run(progress.Callback(), otherRouterConfirmed);
}

void BackupActions::ShowChanges(const ChosenBackup& chosen, const std::vector<BackupPart>& parts,
                                bool& otherRouterConfirmed) {
    BackupRestoreSequence preview(doc_, chosen.backup, parts);
    if (RunRestore(preview, otherRouterConfirmed, true) ==
            BackupRestoreSequence::Outcome::Refused &&
        !otherRouterConfirmed) {
        if (!ConfirmOtherRouter(preview)) {
            return;
        }
        otherRouterConfirmed = true;
        RunRestore(preview, true, true);
    }
    const bool previewed = preview.Result() == BackupRestoreSequence::Outcome::Previewed;
    BackupResultDialog result(kRestoreTitle, ChangesHeading(preview.Result(), chosen.path),
                              QStringLiteral("&Changes:"), &frame_);
    result.ShowLines(previewed ? preview.PlannedLines() : preview.SummaryLines());
    Ui().runDialog(result);
}

bool BackupActions::ConfirmOtherRouter(const BackupRestoreSequence& sequence) {
    const QString question =
        QStringLiteral("This backup is of another router:\n%1\nRestore it anyway?")
            .arg(sequence.OtherRouterText());
    return Ui().showMessage(question, MessageIcon::Warning, MessageButtons::YesNo) ==
           MessageAnswer::Yes;
}

}  // namespace zerandi
