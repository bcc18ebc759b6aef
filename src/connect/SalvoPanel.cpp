#include "connect/SalvoPanel.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

#include "connect/ConnectionRows.h"
#include "connect/EditSourceDestRangeDialog.h"
#include "connect/SalvoFile.h"
#include "services/FileTexts.h"
#include "services/InternalError.h"
#include "services/TextFileSave.h"
#include "services/UiServices.h"
#include "shell/AccessibleName.h"
#include "shell/TabStopList.h"

namespace zerandi {

namespace {

const TabStops kSalvoTabStops({30, 45}, TabStopUnit::NumberColumn);
constexpr int kSalvoListMinimumWidthChars = 36;
const QString kFilePrefix = QStringLiteral("File: ");
const QString kSalvoExtension = QStringLiteral("svo");
const QString kSingleTakeTitle = QStringLiteral("Edit Single Take");
const QString kEmptyFileWrite =
    QStringLiteral("Can not write an empty salvo to file.\nFile not written.");

// The file's name without its folders, whichever separator the path uses.
QString ShownFileName(const QString& path) {
    const qsizetype separator = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return path.mid(separator + 1);
}

QWidget* ColumnTitles(QWidget* parent) {
    auto* titles = new TabStopHeading(kSalvoTabStops, parent);
    titles->setObjectName(QStringLiteral("salvoHeading"));
    titles->ShowAsField();
    titles->SetText(QStringLiteral("Input\t\tOutput"));
    return titles;
}

}  // namespace

SalvoPanel::SalvoPanel(UiServices& ui, Hooks hooks, QWidget* parent)
    : QGroupBox(QStringLiteral("Salvo"), parent), ui_(ui), hooks_(std::move(hooks)) {
    setObjectName(QStringLiteral("salvoGroup"));
    fileLabel_ = new QLabel(kFilePrefix, this);
    fileLabel_->setObjectName(QStringLiteral("salvoFile"));
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("salvoList"));
    list_->setUniformItemSizes(true);
    list_->setMinimumWidth(fontMetrics().averageCharWidth() * kSalvoListMinimumWidthChars);
    SetTabStops(*list_, kSalvoTabStops);
    NameControl(list_, QStringLiteral("Salvo"));
    execute_ = new QPushButton(QStringLiteral("Execute"), this);
    execute_->setObjectName(QStringLiteral("executeSalvo"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fileLabel_);
    layout->addWidget(ColumnTitles(this));
    layout->addWidget(list_, 1);
    layout->addWidget(execute_, 0, Qt::AlignHCenter);
    connect(execute_, &QPushButton::clicked, this, &SalvoPanel::Execute);
    connect(list_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { ModifyEntry(list_->row(item)); });

    open_ = NewAction(QStringLiteral("&Open..."), QStringLiteral("openSalvo"), &SalvoPanel::Open);
    open_->setShortcut(QKeySequence::Open);
    save_ = NewAction(QStringLiteral("&Save"), QStringLiteral("saveSalvo"), &SalvoPanel::Save);
    save_->setShortcut(QKeySequence::Save);
    saveAs_ = NewAction(QStringLiteral("Save &As..."), QStringLiteral("saveSalvoAs"),
                        &SalvoPanel::SaveAs);
    add_ = NewAction(QStringLiteral("&Add Single Take..."), QStringLiteral("addSingleTake"),
                     &SalvoPanel::AddSingleTake);
    modify_ = NewAction(QStringLiteral("&Modify Single Take..."),
                        QStringLiteral("modifySingleTake"), &SalvoPanel::ModifySingleTake);
    clear_ = NewAction(QStringLiteral("&Clear Salvo"), QStringLiteral("clearSalvo"),
                       &SalvoPanel::ClearSalvo);
}

QAction* SalvoPanel::NewAction(const QString& text, const QString& name,
                               void (SalvoPanel::*slot)()) {
    auto* action = new QAction(text, this);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, slot);
    return action;
}

void SalvoPanel::AddFileMenuItems(QMenu& file) {
    file.addActions({open_, save_, saveAs_});
}

void SalvoPanel::AddEditMenuItems(QMenu& edit) {
    edit.addActions({add_, modify_, clear_});
}

std::optional<TakePair> SalvoPanel::AskForTake(const TakePair& preset, const QString& confirmText,
                                               const QString& cancelText) {
    const Router router = hooks_.router();
    RangeDialogSetup setup;
    setup.kind = RangeDialogKind::SingleTake;
    setup.title = kSingleTakeTitle;
    setup.confirmText = confirmText;
    setup.cancelText = cancelText;
    setup.productId = router.productId;
    setup.inputLimit = static_cast<uint32_t>(router.inputs);
    setup.outputLimit = static_cast<uint32_t>(router.outputs);
    const auto values =
        EditSourceDestRangeDialog::Ask(ui_, setup, {preset.first, preset.second, 0}, this);
    if (!values) {
        return std::nullopt;
    }
    return TakePair{static_cast<uint16_t>(values->first), static_cast<uint16_t>(values->output)};
}

void SalvoPanel::AddSingleTake() {
    TakePair preset{1, 1};
    while (const auto take = AskForTake(preset, QStringLiteral("Add"), QStringLiteral("Close"))) {
        salvo_.push_back(*take);
        list_->addItem(FormatSalvoRow(take->first, take->second));
        list_->setCurrentRow(list_->count() - 1);
        preset = *take;
    }
}

void SalvoPanel::ModifySingleTake() {
    if (list_->currentRow() < 0 || list_->selectedItems().isEmpty()) {
        ui_.showMessage(QStringLiteral("Please select a row to edit first."), MessageIcon::Warning);
        return;
    }
    ModifyEntry(list_->currentRow());
}

void SalvoPanel::ModifyEntry(int row) {
    if (row < 0 || static_cast<size_t>(row) >= salvo_.size()) {
        return;
    }
    TakePair& entry = salvo_[static_cast<size_t>(row)];
    const auto take = AskForTake(entry, QStringLiteral("Modify"), QStringLiteral("Cancel"));
    if (!take) {
        return;
    }
    entry = *take;
    list_->item(row)->setText(FormatModifiedSalvoRow(entry.first, entry.second));
    list_->setCurrentRow(row);
}

void SalvoPanel::ClearSalvo() {
    salvo_.clear();
    Redraw();
}

void SalvoPanel::Execute() {
    if (salvo_.empty()) {
        ui_.showMessage(QStringLiteral("Can not write an empty salvo."), MessageIcon::Warning);
        return;
    }
    if (hooks_.runTakeList(salvo_)) {
        ui_.showMessage(QStringLiteral("Salvo successfully written."), MessageIcon::Information);
    } else {
        ui_.showMessage(QStringLiteral("Salvo write failed."), MessageIcon::Warning);
    }
    hooks_.afterExecute();
}

void SalvoPanel::Open() {
    FilePrompt prompt;
    prompt.initialName = QStringLiteral("*.svo");
    prompt.defaultExtension = kSalvoExtension;
    prompt.confirmOverwrite = false;
    prompt.confirmCreate = true;
    const std::optional<QString> path = ui_.promptOpenFile(prompt);
    if (path && !path->isEmpty()) {
        ReadSalvoFile(*path);
    }
}

bool SalvoPanel::RefuseEmptyFileWrite() {
    if (!salvo_.empty()) {
        return false;
    }
    ui_.showMessage(kEmptyFileWrite, MessageIcon::Warning);
    return true;
}

void SalvoPanel::Save() {
    if (RefuseEmptyFileWrite()) {
        return;
    }
    if (currentFile_.isEmpty()) {
        ui_.showMessage(kNoFileNameToSaveText, MessageIcon::Warning);
        return;
    }
    WriteSalvoFile(currentFile_);
}

void SalvoPanel::SaveAs() {
    if (RefuseEmptyFileWrite()) {
        return;
    }
    FilePrompt prompt;
    prompt.initialName = QStringLiteral("new.svo");
    prompt.defaultExtension = kSalvoExtension;
    const std::optional<QString> path = ui_.promptSaveFile(prompt);
    if (path && WriteSalvoFile(*path)) {
        SetCurrentFile(*path);
    }
}

bool SalvoPanel::ReadSalvoFile(const QString& path) {
    if (path.isEmpty()) {
        ReportInternalError(
            ui_, QStringLiteral("RouterConnectFormView::ReadSalvoFile -- empty file name"));
        return false;
    }
    if (!QFileInfo::exists(path)) {
        ui_.showMessage(QStringLiteral("Could not open file - file does not exist."),
                        MessageIcon::Warning);
        return false;
    }
    // An unreadable file changes neither the salvo nor its file, so that Save cannot replace it.
    const std::optional<SalvoFileContents> contents = LoadSalvoFile(ui_, path);
    if (!contents) {
        return false;
    }
    SetCurrentFile(path);
    salvo_ = contents->entries;
    Redraw();
    if (contents->endedAtText) {
        ui_.showMessage(SalvoTextStopMessage(salvo_.size()), MessageIcon::Warning);
    }
    return true;
}

bool SalvoPanel::WriteSalvoFile(const QString& path) {
    if (path.isEmpty()) {
        ReportInternalError(
            ui_, QStringLiteral("RouterConnectFormView::WriteSalvoFile -- empty file name"));
        return false;
    }
    return SaveFileBytes(ui_, path, SalvoFileBytes(salvo_));
}

void SalvoPanel::ReplaceWithReads(const TakeList& takes) {
    if (!salvo_.empty() &&
        ui_.showMessage(QStringLiteral("This will overwrite existing salvo.  Continue?"),
                        MessageIcon::Question, MessageButtons::OkCancel) != MessageAnswer::Ok) {
        return;
    }
    salvo_ = takes;
    Redraw();
}

void SalvoPanel::SetCurrentFile(const QString& path) {
    currentFile_ = path;
    fileLabel_->setText(kFilePrefix + ShownFileName(path));
}

void SalvoPanel::Redraw() {
    QStringList rows;
    rows.reserve(static_cast<qsizetype>(salvo_.size()));
    for (const auto& [input, output] : salvo_) {
        rows << FormatSalvoRow(input, output);
    }
    list_->clear();
    list_->addItems(rows);
}

}  // namespace zerandi
