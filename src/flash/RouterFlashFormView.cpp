#include "flash/RouterFlashFormView.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <vector>

#include "config/RouterConfigDoc.h"
#include "flash/FlashDownloadSequence.h"
#include "services/BusyScope.h"
#include "shell/AccessibleName.h"

namespace zerandi {

namespace {

constexpr int kFileNameChars = 48;
constexpr int kProgressWidthChars = 16;

const QString kNoFileText =
    QStringLiteral("Unable to write flash.\nPlease Select a File to write first.");

}  // namespace

RouterFlashFormView::RouterFlashFormView(RouterConfigDoc& doc, QWidget* parent)
    : QWidget(parent), doc_(doc) {
    auto* form = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    for (size_t slot = 0; slot < kFlashSlotCount; ++slot) {
        BuildSlotRow(slot, *grid);
    }
    form->addLayout(grid);

    auto* statusRow = new QHBoxLayout;
    auto* statusLabel = new QLabel(QStringLiteral("Status:"), this);
    status_ = new QLineEdit(this);
    status_->setObjectName(QStringLiteral("status"));
    status_->setReadOnly(true);
    status_->setFocusPolicy(Qt::NoFocus);
    LabelControl(statusLabel, status_);
    statusRow->addWidget(statusLabel);
    statusRow->addWidget(status_, 1);
    form->addLayout(statusRow);

    writeFlash_ = new QPushButton(QStringLiteral("Write Flash"), this);
    writeFlash_->setObjectName(QStringLiteral("writeFlash"));
    connect(writeFlash_, &QPushButton::clicked, this, &RouterFlashFormView::WriteFlash);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(writeFlash_);
    form->addLayout(buttons);
    form->addStretch();

    connect(&doc_, &RouterConfigDoc::ViewsRefresh, this, &RouterFlashFormView::OnDocumentUpdate);
    ResetProgress();
}

void RouterFlashFormView::BuildSlotRow(size_t slot, QGridLayout& grid) {
    SlotRow& row = rows_[slot];
    const QString key = QStringLiteral("slot%1").arg(slot);
    row.label = new QLabel(this);
    row.label->setObjectName(key + QStringLiteral("Label"));
    row.fileName = new QLineEdit(this);
    row.fileName->setObjectName(key + QStringLiteral("File"));
    row.fileName->setMinimumWidth(row.fileName->fontMetrics().averageCharWidth() * kFileNameChars);
    row.browse = new QPushButton(QStringLiteral("Browse..."), this);
    row.browse->setObjectName(key + QStringLiteral("Browse"));
    row.progress = new QProgressBar(this);
    row.progress->setObjectName(key + QStringLiteral("Progress"));
    row.progress->setTextVisible(false);
    row.progress->setMinimumWidth(row.progress->fontMetrics().averageCharWidth() *
                                  kProgressWidthChars);
    connect(row.browse, &QPushButton::clicked, this, [this, slot] { Browse(slot); });
    SetSlotLabel(slot, FlashSlotLabel(slot));

    const int line = static_cast<int>(slot);
    grid.addWidget(row.label, line, 0);
    grid.addWidget(row.fileName, line, 1);
    grid.addWidget(row.browse, line, 2);
    grid.addWidget(row.progress, line, 3);
}

// The label names the field, and the button and bar of its row for assistive technology.
void RouterFlashFormView::SetSlotLabel(size_t slot, const QString& text) {
    SlotRow& row = rows_[slot];
    row.label->setText(text);
    LabelControl(row.label, row.fileName);
    const QString spoken = SpokenLabelText(text);
    NameControl(row.browse, QStringLiteral("Browse for %1").arg(spoken));
    NameControl(row.progress, QStringLiteral("%1 progress").arg(spoken));
}

void RouterFlashFormView::ShowSlotRow(size_t slot, bool shown) {
    const SlotRow& row = rows_[slot];
    for (QWidget* widget :
         {static_cast<QWidget*>(row.label), static_cast<QWidget*>(row.fileName),
          static_cast<QWidget*>(row.browse), static_cast<QWidget*>(row.progress)}) {
        widget->setVisible(shown);
    }
}

bool RouterFlashFormView::SlotShown(size_t slot) const {
    return !rows_[slot].label->isHidden();
}

QString RouterFlashFormView::SlotFileName(size_t slot) const {
    return rows_[slot].fileName->text().trimmed();
}

void RouterFlashFormView::OnDocumentUpdate() {
    FlashSlotLayout current;
    current.firstLabel = rows_[kDiagSlot].label->text();
    for (size_t slot = 0; slot < kFlashSlotCount; ++slot) {
        current.shown[slot] = SlotShown(slot);
    }
    const FlashSlotLayout layout = LayoutFlashSlots(current, doc_.ProductKnown(),
                                                    doc_.IsExtendedControlCard(), doc_.ProductId());
    SetSlotLabel(kDiagSlot, layout.firstLabel);
    for (size_t slot = 0; slot < kFlashSlotCount; ++slot) {
        ShowSlotRow(slot, layout.shown[slot]);
        if (layout.cleared[slot]) {
            rows_[slot].fileName->clear();
        }
    }
    ResetProgress();
}

void RouterFlashFormView::Browse(size_t slot) {
    FilePrompt prompt;
    prompt.initialName = QStringLiteral("*.mx");
    prompt.defaultExtension = QStringLiteral("mx");
    prompt.confirmCreate = true;
    if (const auto path = doc_.Ui().promptOpenFile(prompt)) {
        rows_[slot].fileName->setText(*path);
    }
}

bool RouterFlashFormView::AnyFileNamed() const {
    for (size_t slot = 0; slot < kFlashSlotCount; ++slot) {
        if (!SlotFileName(slot).isEmpty()) {
            return true;
        }
    }
    return false;
}

bool RouterFlashFormView::ConfirmPairing() {
    if (!NeedsPairingQuestion(SlotShown(kPld0Slot), doc_.controlCard.partNumber,
                              !SlotFileName(kMtrxSlot).isEmpty(),
                              !SlotFileName(kPld0Slot).isEmpty())) {
        return true;
    }
    return doc_.Ui().showMessage(FlashDownloadSequence::PairingQuestion(), MessageIcon::Warning,
                                 MessageButtons::YesNo) == MessageAnswer::Yes;
}

void RouterFlashFormView::WriteFlash() {
    if (!AnyFileNamed()) {
        doc_.Ui().showMessage(kNoFileText, MessageIcon::Warning);
        return;
    }
    if (!ConfirmPairing()) {
        return;
    }
    if (Download()) {
        doc_.Ui().showMessage(FlashDownloadSequence::SuccessText(), MessageIcon::Information);
        doc_.AskAndResetController(FlashDownloadSequence::ResetQuestion());
    }
    ResetProgress();
}

bool RouterFlashFormView::Download() {
    std::vector<FlashFile> files;
    for (size_t slot = 0; slot < kFlashSlotCount; ++slot) {
        const QString path = SlotFileName(slot);
        if (!path.isEmpty()) {
            files.push_back({static_cast<int>(slot), FlashSlotComponent(slot),
                             FlashSlotComponentName(slot), path});
        }
    }
    BusyScope busy(doc_.Ui());
    FlashDownloadSequence sequence(doc_.CommPort(), doc_.Ui(),
                                   [this](const FlashProgress& step) { ShowProgress(step); });
    return sequence.Run(files);
}

// Painted at once: the event loop does not run until the download ends.
void RouterFlashFormView::ShowProgress(const FlashProgress& progress) {
    QProgressBar* bar = rows_.at(static_cast<size_t>(progress.slot)).progress;
    bar->setRange(0, progress.range);
    if (status_->text() != progress.status) {
        status_->setText(progress.status);
        status_->repaint();
    }
    bar->setValue(progress.position);
    bar->repaint();
}

void RouterFlashFormView::ResetProgress() {
    status_->clear();
    for (SlotRow& row : rows_) {
        row.progress->setRange(0, kResetRange);
        row.progress->setValue(0);
    }
}

}  // namespace zerandi
