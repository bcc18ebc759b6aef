#include "scramble/RouterScrambleMapFromView.h"

#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "config/RouterConfigDoc.h"
#include "scramble/HalvernImport.h"
#include "scramble/ScrambleMapFile.h"
#include "scramble/ScrambleMapReport.h"
#include "services/FileTexts.h"
#include "services/InternalError.h"
#include "services/TextFileSave.h"
#include "services/UiServices.h"
#include "shell/AccessibleName.h"
#include "shell/ChildFrameVisibility.h"
#include "shell/TabStopList.h"
#include "shell/ViewMenuSet.h"

namespace zerandi {

namespace {

const TabStops kListTabStops({8, 36, 60, 84});
constexpr int kVisibleRows = 20;
const QString kNothingToSave =
    QStringLiteral("No Scramble Map to save to file.\nFile not written.");
const QString kScrambleFileFilter = QStringLiteral("Scramble Map Files (*.scr)");

FilePrompt ScrambleFilePrompt(const QString& initialName, const QString& filter) {
    FilePrompt prompt;
    prompt.initialName = initialName;
    prompt.defaultExtension = QStringLiteral("scr");
    prompt.filter = filter;
    return prompt;
}

std::optional<size_t> SelectedRow(const QListWidget& list) {
    const QList<QListWidgetItem*> selected = list.selectedItems();
    if (selected.isEmpty()) {
        return std::nullopt;
    }
    return static_cast<size_t>(list.row(selected.front()));
}

}  // namespace

RouterScrambleMapFromView::RouterScrambleMapFromView(RouterConfigDoc& doc, QWidget* parent)
    : QWidget(parent), doc_(doc), transfer_(doc) {
    auto* layout = new QVBoxLayout(this);
    tableSize_ = new QLabel(this);
    tableSize_->setObjectName(QStringLiteral("tableSize"));
    layout->addWidget(tableSize_);
    auto* tables = new QHBoxLayout;
    tables->addWidget(BuildTable(QStringLiteral("&Input:"), QStringLiteral("inputList"), inputs_));
    tables->addWidget(
        BuildTable(QStringLiteral("&Output:"), QStringLiteral("outputList"), outputs_));
    layout->addLayout(tables, 1);
    layout->addWidget(BuildButtons());
    connect(inputs_, &QListWidget::itemDoubleClicked, this, &RouterScrambleMapFromView::EditInput);
    connect(outputs_, &QListWidget::itemDoubleClicked, this,
            &RouterScrambleMapFromView::EditOutput);
    connect(&doc_, &RouterConfigDoc::ViewsRefresh, this,
            &RouterScrambleMapFromView::OnDocumentUpdate);
    RebuildLists(false);
}

QWidget* RouterScrambleMapFromView::BuildTable(const QString& title, const QString& name,
                                               QListWidget*& list) {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(title, column);
    list = new QListWidget(column);
    list->setObjectName(name);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    SetTabStops(*list, kListTabStops);
    list->setMinimumHeight(list->fontMetrics().height() * kVisibleRows);
    LabelControl(label, list);
    layout->addWidget(label);
    auto* heading = new TabStopHeading(kListTabStops, column);
    heading->SetText(QStringLiteral("\tAddr\tA1A2\tA3A4\tDescription"));
    layout->addWidget(heading);
    layout->addWidget(list, 1);
    FitTabStopListWidth(*list, kListTabStops,
                        QString(EditScrambleMapDialog::kMaxDescriptionChars, u'n'));
    return column;
}

QWidget* RouterScrambleMapFromView::BuildButtons() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    const std::array<std::tuple<QString, QString, void (RouterScrambleMapFromView::*)()>, 3>
        buttons{{
            {QStringLiteral("Reset To Defaults"), QStringLiteral("resetToDefaults"),
             &RouterScrambleMapFromView::ResetToDefaults},
            {QStringLiteral("Read"), QStringLiteral("read"), &RouterScrambleMapFromView::Read},
            {QStringLiteral("Write"), QStringLiteral("write"), &RouterScrambleMapFromView::Write},
        }};
    layout->addStretch();
    for (const auto& [text, name, action] : buttons) {
        auto* button = new QPushButton(text, row);
        button->setObjectName(name);
        connect(button, &QPushButton::clicked, this, action);
        layout->addWidget(button);
    }
    return row;
}

void RouterScrambleMapFromView::OnDocumentUpdate() {
    if (!doc_.ProductKnown() || doc_.ScrambleMapEnabled() == 0) {
        ShowChildFrame(*this, false);
        return;
    }
    ShowChildFrame(*this, true);
    map_ = transfer_.RouterMap();
    RebuildLists(false);
}

ControllerStarts RouterScrambleMapFromView::Starts() const {
    const RouterLevel& first = doc_.levels.front();
    return ControllerStarts{first.controllerInputStart, first.controllerOutputStart};
}

void RouterScrambleMapFromView::RebuildLists(bool keepSelections) {
    const int inputRow = inputs_->currentRow();
    const int outputRow = outputs_->currentRow();
    inputs_->clear();
    outputs_->clear();
    tableSize_->setText(QStringLiteral("Scramble Table Size: %1").arg(map_.tableSize));
    const ControllerStarts starts = Starts();
    const size_t inputRows = std::min<size_t>(map_.tableSize, ScrambleMap::kEntries);
    for (size_t i = 0; i < inputRows; ++i) {
        inputs_->addItem(ScrambleRowText(starts.input + static_cast<int64_t>(i), map_.inputs[i]));
    }
    const size_t outputRows = std::min<size_t>(map_.outputCount, ScrambleMap::kEntries);
    for (size_t i = 0; i < outputRows; ++i) {
        outputs_->addItem(
            ScrambleRowText(starts.output + static_cast<int64_t>(i), map_.outputs[i]));
    }
    if (keepSelections) {
        inputs_->setCurrentRow(inputRow);
        outputs_->setCurrentRow(outputRow);
    }
}

bool RouterScrambleMapFromView::HasMap(const QString& emptyMessage) const {
    if (inputs_->count() == 0 && outputs_->count() == 0) {
        doc_.Ui().showMessage(emptyMessage, MessageIcon::Warning);
        return false;
    }
    return true;
}

void RouterScrambleMapFromView::Read() {
    if (transfer_.Read(map_)) {
        RebuildLists(false);
    }
}

void RouterScrambleMapFromView::Write() {
    if (!HasMap(QStringLiteral("No Scramble Map to write."))) {
        return;
    }
    if (transfer_.Write(map_)) {
        doc_.Ui().showMessage(QStringLiteral("Scramble Map successfully written."),
                              MessageIcon::Information);
    }
}

void RouterScrambleMapFromView::ResetToDefaults() {
    map_.ResetToDefaults();
    RebuildLists(false);
}

std::optional<ScrambleEntry> RouterScrambleMapFromView::RunEditDialog(
    EditScrambleMapDialog::Table table, size_t index, const ScrambleEntry& entry) {
    EditScrambleMapDialog dialog(table, static_cast<uint32_t>(index + 1), entry, this);
    if (!doc_.Ui().runDialog(dialog)) {
        return std::nullopt;
    }
    return dialog.Result();
}

void RouterScrambleMapFromView::EditInput() {
    const std::optional<size_t> index = SelectedRow(*inputs_);
    if (!index) {
        doc_.Ui().showMessage(QStringLiteral("Please select an input first."),
                              MessageIcon::Information);
        return;
    }
    const std::optional<ScrambleEntry> edited =
        RunEditDialog(EditScrambleMapDialog::Table::Input, *index, map_.inputs[*index]);
    if (edited) {
        map_.inputs[*index] = *edited;
        RebuildLists(true);
    }
}

// The dialog opens again on the stored values until the addresses are acceptable or the
// user cancels.
void RouterScrambleMapFromView::EditOutput() {
    const std::optional<size_t> index = SelectedRow(*outputs_);
    if (!index) {
        doc_.Ui().showMessage(QStringLiteral("Please select an output first."),
                              MessageIcon::Information);
        return;
    }
    for (;;) {
        const std::optional<ScrambleEntry> edited =
            RunEditDialog(EditScrambleMapDialog::Table::Output, *index, map_.outputs[*index]);
        if (!edited) {
            return;
        }
        const std::optional<QString> refusal =
            map_.CheckOutputEdit(*index, edited->a1a2, edited->a3a4, Starts());
        if (!refusal) {
            map_.outputs[*index] = *edited;
            RebuildLists(true);
            return;
        }
        doc_.Ui().showMessage(*refusal, MessageIcon::Warning);
    }
}

std::optional<QString> RouterScrambleMapFromView::PromptOpen(const QString& initialName,
                                                             const QString& filter) {
    std::optional<QString> path = doc_.Ui().promptOpenFile(ScrambleFilePrompt(initialName, filter));
    if (!path || path->isEmpty()) {
        return std::nullopt;
    }
    return path;
}

void RouterScrambleMapFromView::TakeFile(const QString& path, bool imported,
                                         const std::function<bool(ScrambleMap&)>& load) {
    ScrambleMap loaded = map_;
    if (!load(loaded)) {
        return;
    }
    map_ = std::move(loaded);
    currentFile_ = path;
    currentFileImported_ = imported;
    RebuildLists(false);
}

void RouterScrambleMapFromView::Open() {
    const std::optional<QString> path = PromptOpen(QStringLiteral("*.scr"), kScrambleFileFilter);
    if (path) {
        TakeFile(*path, false, [&](ScrambleMap& loaded) {
            return ScrambleMapFile::Load(doc_.Ui(), *path, loaded);
        });
    }
}

void RouterScrambleMapFromView::OpenHalvernFile() {
    const std::optional<QString> path =
        PromptOpen(QStringLiteral("*.scr *.cfg"), QStringLiteral("Halvern Files (*.scr *.cfg)"));
    if (path) {
        TakeFile(*path, true, [&](ScrambleMap& loaded) {
            return HalvernImport::Import(doc_.Ui(), *path, loaded);
        });
    }
}

void RouterScrambleMapFromView::Save() {
    if (!HasMap(kNothingToSave)) {
        return;
    }
    // Saving over the imported binary file would destroy it: ask for a name instead.
    if (currentFileImported_) {
        SaveAs();
        return;
    }
    if (currentFile_.isEmpty()) {
        doc_.Ui().showMessage(kNoFileNameToSaveText, MessageIcon::Warning);
        return;
    }
    SaveToFile(currentFile_);
}

void RouterScrambleMapFromView::SaveAs() {
    if (!HasMap(kNothingToSave)) {
        return;
    }
    const std::optional<QString> path = doc_.Ui().promptSaveFile(
        ScrambleFilePrompt(QStringLiteral("new.scr"), kScrambleFileFilter));
    if (path && !path->isEmpty() && SaveToFile(*path)) {
        currentFile_ = *path;
        currentFileImported_ = false;
    }
}

bool RouterScrambleMapFromView::SaveToFile(const QString& path) {
    return ScrambleMapFile::Save(doc_.Ui(), path, map_);
}

void RouterScrambleMapFromView::WriteReport() {
    FilePrompt prompt;
    prompt.initialName = QStringLiteral("new_scr.txt");
    prompt.defaultExtension = QStringLiteral("txt");
    prompt.filter = QStringLiteral("Text Files (*.txt)");
    const std::optional<QString> path = doc_.Ui().promptSaveFile(prompt);
    if (path) {
        WriteToTxtFile(*path);
    }
}

void RouterScrambleMapFromView::PrintReport() {
    zerandi::PrintReport(doc_.Ui(), QString::fromLatin1(kPrintFileName),
                         [this](const QString& path) { return WriteToTxtFile(path); });
}

bool RouterScrambleMapFromView::WriteToTxtFile(const QString& path) {
    if (path.isEmpty()) {
        ReportInternalError(
            doc_.Ui(), QStringLiteral("RouterScrambleMapFromView::WriteToTxtFile - no file name"));
        return false;
    }
    return ScrambleMapReport::Write(doc_.Ui(), path, map_, Starts());
}

void RouterScrambleMapFromView::AddMenuItems(ViewMenuSet& menus) {
    QMenu& file = menus.File();
    file.addAction(QStringLiteral("&Open..."), QKeySequence::Open, this,
                   &RouterScrambleMapFromView::Open);
    file.addAction(QStringLiteral("&Save"), QKeySequence::Save, this,
                   &RouterScrambleMapFromView::Save);
    file.addAction(QStringLiteral("Save &As..."), this, &RouterScrambleMapFromView::SaveAs);
    file.addSeparator();
    file.addAction(QStringLiteral("Open Halvern file..."), this,
                   &RouterScrambleMapFromView::OpenHalvernFile);
    file.addSeparator();
    file.addAction(QStringLiteral("&Write Report (.TXT file)..."), this,
                   &RouterScrambleMapFromView::WriteReport);
    file.addAction(QStringLiteral("&Print Report (.TXT format)"), this,
                   &RouterScrambleMapFromView::PrintReport);
    QMenu& edit = menus.Edit();
    edit.addAction(QStringLiteral("&Input..."), this, &RouterScrambleMapFromView::EditInput);
    edit.addAction(QStringLiteral("&Output..."), this, &RouterScrambleMapFromView::EditOutput);
    edit.addAction(QStringLiteral("&Clear"), this, &RouterScrambleMapFromView::ResetToDefaults);
}

bool RouterScrambleMapFromView::HandlesCommand(StandardCommand command) const {
    return command == StandardCommand::Open || command == StandardCommand::Save ||
           command == StandardCommand::Print;
}

void RouterScrambleMapFromView::RunCommand(StandardCommand command) {
    if (command == StandardCommand::Open) {
        Open();
    } else if (command == StandardCommand::Save) {
        Save();
    } else if (command == StandardCommand::Print) {
        PrintReport();
    }
}

}  // namespace zerandi
