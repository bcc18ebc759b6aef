#include "status/RouterStatusMessagesFormView.h"

#include <QAction>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QListView>
#include <QMenu>
#include <QVBoxLayout>

#include "config/RouterConfigDoc.h"
#include "services/FileTexts.h"
#include "services/FormatNowText.h"
#include "services/InternalError.h"
#include "shell/AccessibleName.h"
#include "shell/ChildFrameVisibility.h"
#include "shell/ViewMenuSet.h"

namespace zerandi {

namespace {

const QString kLineTooLongText =
    QStringLiteral("Line length is too long. Text was NOT sent to the router!");
constexpr int kShownLines = 25;

bool IsEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace

RouterStatusMessagesFormView::RouterStatusMessagesFormView(RouterConfigDoc& doc, QWidget* parent)
    : QWidget(parent), doc_(doc), gate_(doc.Ui()) {
    list_ = new QListView(this);
    list_->setObjectName(QStringLiteral("messageList"));
    list_->setModel(&model_);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setSelectionMode(QAbstractItemView::NoSelection);
    list_->setUniformItemSizes(true);
    list_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    NameControl(list_, QStringLiteral("Status Messages"));
    list_->installEventFilter(this);
    const QFontMetrics metrics(list_->font());
    list_->setMinimumSize(
        metrics.horizontalAdvance(QString(StatusMessageLines::kEntryChars + 4, u'M')),
        metrics.lineSpacing() * kShownLines);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    setFocusProxy(list_);

    lines_.SetEntryObserver([this](const QString& entry) { CaptureEntry(entry); });
    pollTimer_.setTimerType(Qt::CoarseTimer);
    connect(&pollTimer_, &QTimer::timeout, this, &RouterStatusMessagesFormView::Poll);
    connect(&doc_, &RouterConfigDoc::ViewsRefresh, this,
            &RouterStatusMessagesFormView::OnDocumentUpdate);
}

RouterStatusMessagesFormView::~RouterStatusMessagesFormView() {
    pollTimer_.stop();
    if (capture_.IsOn()) {
        capture_.Stop(FormatNowText());
    }
}

void RouterStatusMessagesFormView::AddMenuItems(ViewMenuSet& menus) {
    captureAction_ = menus.File().addAction(QStringLiteral("&Capture to File..."));
    captureAction_->setCheckable(true);
    connect(captureAction_, &QAction::triggered, this,
            &RouterStatusMessagesFormView::ToggleCapture);
    QAction* clear = menus.Edit().addAction(QStringLiteral("&Clear List"));
    connect(clear, &QAction::triggered, this, &RouterStatusMessagesFormView::ClearList);
    terminalAction_ = menus.Communications().addAction(QStringLiteral("&Terminal Mode"));
    terminalAction_->setCheckable(true);
    connect(terminalAction_, &QAction::triggered, this,
            &RouterStatusMessagesFormView::ToggleTerminalMode);
}

// ---- Router type and polling ------------------------------------------------------------------

void RouterStatusMessagesFormView::OnDocumentUpdate() {
    if (doc_.ProductKnown()) {
        pollTimer_.stop();
        ShowChildFrame(*this, false);
        return;
    }
    if (!pollTimer_.isActive()) {
        StartPolling();
    }
    ShowChildFrame(*this, true);
}

void RouterStatusMessagesFormView::StartPolling() {
    gate_.StartTimer(pollTimer_, kPollIntervalMs);
}

void RouterStatusMessagesFormView::Poll() {
    gate_.Run([this] {
        const bool open = doc_.CommPort().IsOpen();
        if (open && !linkWasOpen_) {
            pollFailureShown_ = false;
        }
        linkWasOpen_ = open;
        if (open) {
            ReceiveWaitingMessages();
        }
    });
}

void RouterStatusMessagesFormView::ReceiveWaitingMessages() {
    RouterMessage message;
    CommResult result = CommResult::Success;
    int received = 0;
    while (received < kMaxMessagesPerPoll &&
           doc_.CommPort().PollTextMessage(message, kTextFrameWaitMs, result)) {
        lines_.ReceiveMessage(message);
        ++received;
    }
    // An idle poll touches nothing on the screen.
    if (received > 0) {
        ShowEntries();
    }
    if (result != CommResult::Success && result != CommResult::Timeout) {
        ReportPollFailure(result);
    }
}

void RouterStatusMessagesFormView::ReportPollFailure(CommResult result) {
    if (pollFailureShown_) {
        return;
    }
    pollFailureShown_ = true;
    doc_.CommPort().ReportCommResult(result);
}

// ---- The list and the typed line --------------------------------------------------------------

void RouterStatusMessagesFormView::ClearList() {
    lines_.Clear();
    ShowEntries();
}

void RouterStatusMessagesFormView::ToggleTerminalMode() {
    if (terminalAction_ == nullptr) {
        ReportInternalError(
            doc_.Ui(),
            QStringLiteral("RouterStatusMessagesFormView::ToggleTerminalMode - menu not found"));
        return;
    }
    terminalMode_ = !terminalMode_;
    terminalAction_->setChecked(terminalMode_);
}

void RouterStatusMessagesFormView::TypeCharacter(char character) {
    if (!terminalMode_) {
        return;
    }
    lines_.Echo(character);
    ShowEntries();
}

void RouterStatusMessagesFormView::SendTypedLine() {
    if (!lines_.TypedLineFits()) {
        doc_.Ui().showMessage(kLineTooLongText, MessageIcon::Warning);
        lines_.ClearTypedLine();
        return;
    }
    // The controller does not answer a typed line, and a failed send is not reported.
    doc_.CommPort().SendTextLine(lines_.TypedLine().toLatin1().toStdString());
    lines_.ClearTypedLine();
    lines_.AddLine(QString());
    ShowEntries();
}

bool RouterStatusMessagesFormView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_ && event->type() == QEvent::KeyPress &&
        HandleKey(static_cast<QKeyEvent&>(*event))) {
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void RouterStatusMessagesFormView::keyPressEvent(QKeyEvent* event) {
    if (!HandleKey(*event)) {
        QWidget::keyPressEvent(event);
    }
}

// Enter sends; every typed character is taken, echoed only in terminal mode. Keys without
// text (arrows, page keys) still scroll the list, and Tab still leaves it.
bool RouterStatusMessagesFormView::HandleKey(const QKeyEvent& event) {
    if (IsEnter(event.key())) {
        SendTypedLine();
        return true;
    }
    if (event.key() == Qt::Key_Backspace) {
        TypeCharacter(StatusMessageLines::kBackspace);
        return true;
    }
    const QString text = event.text();
    const bool movesFocus = event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab;
    if (text.isEmpty() || movesFocus || (event.modifiers() & Qt::ControlModifier) != 0) {
        return false;
    }
    for (const QChar typed : text) {
        if (typed.unicode() >= u' ' && typed.unicode() <= u'~') {
            TypeCharacter(static_cast<char>(typed.unicode()));
        }
    }
    return true;
}

void RouterStatusMessagesFormView::ShowEntries() {
    model_.setStringList(lines_.Entries());
    list_->scrollToBottom();
}

// ---- Capture ----------------------------------------------------------------------------------

void RouterStatusMessagesFormView::ToggleCapture() {
    if (capture_.IsOn()) {
        StopCapture();
    } else {
        StartCapture();
    }
    if (captureAction_ != nullptr) {
        captureAction_->setChecked(capture_.IsOn());
    }
}

void RouterStatusMessagesFormView::StartCapture() {
    FilePrompt prompt;
    prompt.initialName = QStringLiteral("message.cap");
    prompt.defaultExtension = QStringLiteral("cap");
    prompt.filter = QStringLiteral("Capture Files (*.cap)");
    const std::optional<QString> path = doc_.Ui().promptSaveFile(prompt);
    if (!path) {
        return;
    }
    switch (capture_.Start(*path, FormatNowText(), lines_.Entries())) {
        case StatusCaptureFile::Outcome::OpenFailed:
            doc_.Ui().showMessage(
                FileFailureText(kCouldNotOpenFileText, *path, capture_.FailureReason()),
                MessageIcon::Warning);
            break;
        case StatusCaptureFile::Outcome::WriteFailed:
            doc_.Ui().showMessage(
                FileFailureText(kCouldNotWriteFileText, *path, capture_.FailureReason()),
                MessageIcon::Warning);
            break;
        case StatusCaptureFile::Outcome::Written:
            break;
    }
}

void RouterStatusMessagesFormView::StopCapture() {
    if (capture_.Stop(FormatNowText()) != StatusCaptureFile::Outcome::Written) {
        doc_.Ui().showMessage(kCouldNotWriteFileText, MessageIcon::Warning);
    }
}

void RouterStatusMessagesFormView::CaptureEntry(const QString& entry) {
    if (capture_.IsOn() && capture_.WriteLine(entry) != StatusCaptureFile::Outcome::Written) {
        CaptureStopped();
    }
}

// A capture that met a write error is closed: said once, and the menu shows it is off.
void RouterStatusMessagesFormView::CaptureStopped() {
    if (captureAction_ != nullptr) {
        captureAction_->setChecked(false);
    }
    doc_.Ui().showMessage(kCouldNotWriteFileText, MessageIcon::Warning);
}

}  // namespace zerandi
