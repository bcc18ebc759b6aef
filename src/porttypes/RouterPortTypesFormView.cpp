#include "porttypes/RouterPortTypesFormView.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QVBoxLayout>
#include <utility>

#include "config/RouterConfigDoc.h"
#include "config/RouterModelTables.h"
#include "porttypes/PortTypeCDialog.h"
#include "porttypes/PortTypeFile.h"
#include "services/FileTexts.h"
#include "services/UiServices.h"
#include "shell/ChildFrameVisibility.h"
#include "shell/ViewMenuSet.h"

namespace zerandi {

namespace {

const QString kNothingToSave =
    QStringLiteral("No Port Types in list to write to file\nFile not written.");

FilePrompt PortTypePrompt(const QString& initialName) {
    FilePrompt prompt;
    prompt.initialName = initialName;
    prompt.defaultExtension = QStringLiteral("prt");
    prompt.filter = QStringLiteral("Port Type Files (*.prt)");
    return prompt;
}

}  // namespace

RouterPortTypesFormView::RouterPortTypesFormView(RouterConfigDoc& doc, QWidget* parent)
    : QWidget(parent), doc_(doc), transfer_(doc), form_(new PortTypeCDialog(doc.Ui(), this)) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(form_);
    connect(form_, &PortTypeCDialog::ReadRequested, this, &RouterPortTypesFormView::Read);
    connect(form_, &PortTypeCDialog::WriteRequested, this, &RouterPortTypesFormView::Write);
    connect(&doc_, &RouterConfigDoc::ViewsRefresh, this,
            &RouterPortTypesFormView::OnDocumentUpdate);
}

void RouterPortTypesFormView::OnDocumentUpdate() {
    if (!IsDataRouter(doc_.ProductId())) {
        ShowChildFrame(*this, false);
        return;
    }
    form_->SetPortTypes({});
    form_->SetExtendedCard(doc_.IsExtendedControlCard());
    ShowChildFrame(*this, true);
}

// The table on screen stays until a read has brought a whole new one.
void RouterPortTypesFormView::Read() {
    PortTypesTable table;
    if (!transfer_.Read(table)) {
        return;
    }
    form_->SetPortTypes(std::move(table.types));
    form_->SetTakeDelay(table.takeDelay);
    form_->SetReverse(table.reverse);
}

void RouterPortTypesFormView::Write() {
    if (form_->PortTypes().empty()) {
        doc_.Ui().showMessage(QStringLiteral("No Port Types in list to write."),
                              MessageIcon::Warning);
        return;
    }
    if (!transfer_.Write({form_->PortTypes(), form_->ReverseSelected(), form_->TakeDelay()})) {
        return;
    }
    doc_.Ui().showMessage(QStringLiteral("Port Config. data written."), MessageIcon::Warning);
    doc_.AskAndResetController(RouterConfigDoc::ConfigurationResetQuestion());
}

void RouterPortTypesFormView::Open() {
    FilePrompt prompt = PortTypePrompt(QStringLiteral("*.prt"));
    prompt.confirmCreate = true;
    const std::optional<QString> path = doc_.Ui().promptOpenFile(prompt);
    if (path && !path->isEmpty()) {
        ReadPortTypeFile(*path);
    }
}

// A file that could not be read stays out of the view: Save must not replace it.
bool RouterPortTypesFormView::ReadPortTypeFile(const QString& path) {
    PortTypeFile::Contents contents = PortTypeFile::Read(doc_.Ui(), path, transfer_.PortCount());
    if (contents.outcome != PortTypeFile::Outcome::Read) {
        return false;
    }
    currentFile_ = path;
    form_->SetPortTypes(std::move(contents.types));
    return true;
}

bool RouterPortTypesFormView::HasPorts(const QString& emptyMessage) const {
    if (form_->PortTypes().empty()) {
        doc_.Ui().showMessage(emptyMessage, MessageIcon::Warning);
        return false;
    }
    return true;
}

void RouterPortTypesFormView::Save() {
    if (!HasPorts(kNothingToSave)) {
        return;
    }
    if (currentFile_.isEmpty()) {
        doc_.Ui().showMessage(kNoFileNameToSaveText, MessageIcon::Warning);
        return;
    }
    WritePortTypeFile(currentFile_);
}

void RouterPortTypesFormView::SaveAs() {
    if (!HasPorts(kNothingToSave)) {
        return;
    }
    const std::optional<QString> path =
        doc_.Ui().promptSaveFile(PortTypePrompt(QStringLiteral("new.prt")));
    if (path && !path->isEmpty() && WritePortTypeFile(*path)) {
        currentFile_ = *path;
    }
}

bool RouterPortTypesFormView::WritePortTypeFile(const QString& path) {
    return PortTypeFile::Write(doc_.Ui(), path, form_->PortTypes());
}

void RouterPortTypesFormView::AddMenuItems(ViewMenuSet& menus) {
    QMenu& file = menus.File();
    file.addAction(QStringLiteral("&Open..."), QKeySequence::Open, this,
                   &RouterPortTypesFormView::Open);
    file.addAction(QStringLiteral("&Save"), QKeySequence::Save, this,
                   &RouterPortTypesFormView::Save);
    file.addAction(QStringLiteral("Save &As..."), this, &RouterPortTypesFormView::SaveAs);
}

bool RouterPortTypesFormView::HandlesCommand(StandardCommand command) const {
    return command == StandardCommand::Open || command == StandardCommand::Save;
}

void RouterPortTypesFormView::RunCommand(StandardCommand command) {
    if (command == StandardCommand::Open) {
        Open();
    } else if (command == StandardCommand::Save) {
        Save();
    }
}

}  // namespace zerandi
