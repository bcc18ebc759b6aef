#include "shell/QtUiServices.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QMessageBox>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextDocument>
#include <QThread>
#include <QWidget>

#include "services/VersionInfo.h"

namespace zerandi {

namespace {

QMessageBox::Icon QtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Warning:
            return QMessageBox::Warning;
        case MessageIcon::Stop:
            return QMessageBox::Critical;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

struct QtButtons {
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton escape;
};

QtButtons ButtonsFor(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::OkCancel:
            return {QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel};
        case MessageButtons::YesNo:
            return {QMessageBox::Yes | QMessageBox::No, QMessageBox::No};
        case MessageButtons::Ok:
            break;
    }
    return {QMessageBox::Ok, QMessageBox::Ok};
}

MessageAnswer AnswerFor(int pressed) {
    switch (pressed) {
        case QMessageBox::Cancel:
            return MessageAnswer::Cancel;
        case QMessageBox::Yes:
            return MessageAnswer::Yes;
        case QMessageBox::No:
            return MessageAnswer::No;
        default:
            return MessageAnswer::Ok;
    }
}

bool IsWildcardName(const QString& name) {
    return name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?'));
}

// Reports line their columns up with tabs at every eighth character, as a text printer would
// print them; the document's own tab stops are wider and push a heading onto a second line.
constexpr int kTabStopColumns = 8;

QString WithTabsExpanded(const QString& text) {
    QString expanded;
    expanded.reserve(text.size());
    qsizetype column = 0;
    for (const QChar c : text) {
        if (c == QLatin1Char('\t')) {
            const qsizetype blanks = kTabStopColumns - column % kTabStopColumns;
            expanded.append(QString(blanks, QLatin1Char(' ')));
            column += blanks;
            continue;
        }
        expanded.append(c);
        column = c == QLatin1Char('\n') ? 0 : column + 1;
    }
    return expanded;
}

// While a modal box or dialog is up during a long operation, the user needs the
// normal pointer over it; the wait cursor comes back when it closes.
class NormalCursorWhileModal {
public:
    explicit NormalCursorWhileModal(bool busy) : active_(busy) {
        if (active_) {
            QApplication::setOverrideCursor(Qt::ArrowCursor);
        }
    }
    ~NormalCursorWhileModal() {
        if (active_) {
            QApplication::restoreOverrideCursor();
        }
    }
    NormalCursorWhileModal(const NormalCursorWhileModal&) = delete;
    NormalCursorWhileModal& operator=(const NormalCursorWhileModal&) = delete;

private:
    bool active_;
};

}  // namespace

void QtUiServices::SetMainWindow(QWidget* mainWindow) {
    mainWindow_ = mainWindow;
    if (mainWindow_ != nullptr) {
        mainWindow_->setEnabled(!isBusy());
    }
}

QWidget* QtUiServices::DialogParent() const {
    if (QWidget* modal = QApplication::activeModalWidget()) {
        return modal;
    }
    // A box owned by the disabled main window would be disabled with it.
    if (mainWindow_ != nullptr && mainWindow_->isEnabled()) {
        return mainWindow_;
    }
    return nullptr;
}

MessageAnswer QtUiServices::showMessage(const QString& text, MessageIcon icon,
                                        MessageButtons buttons, const QString& caption) {
    const QtButtons qtButtons = ButtonsFor(buttons);
    QMessageBox box(QtIcon(icon), caption.isEmpty() ? VersionInfo::ProductName() : caption, text,
                    qtButtons.buttons, DialogParent());
    box.setEscapeButton(qtButtons.escape);
    NormalCursorWhileModal cursor(isBusy());
    return AnswerFor(box.exec());
}

std::optional<QString> QtUiServices::promptOpenFile(const FilePrompt& prompt) {
    return PromptFile(prompt, false);
}

std::optional<QString> QtUiServices::promptSaveFile(const FilePrompt& prompt) {
    return PromptFile(prompt, true);
}

std::optional<QString> QtUiServices::PromptFile(const FilePrompt& prompt, bool forSaving) {
    QFileDialog dialog(DialogParent(), prompt.title);
    dialog.setAcceptMode(forSaving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    const bool mayNameNewFile = forSaving || prompt.confirmCreate;
    dialog.setFileMode(mayNameNewFile ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !prompt.confirmOverwrite);
    if (!prompt.defaultExtension.isEmpty()) {
        dialog.setDefaultSuffix(prompt.defaultExtension);
    }
    QStringList filters;
    // An initial name such as "*.svo" is a pattern to show, not a name to offer.
    if (IsWildcardName(prompt.initialName)) {
        filters << prompt.initialName;
    } else if (!prompt.initialName.isEmpty()) {
        dialog.selectFile(prompt.initialName);
    }
    if (!prompt.filter.isEmpty()) {
        filters << prompt.filter;
    }
    filters << QStringLiteral("All Files (*)");
    dialog.setNameFilters(filters);

    NormalCursorWhileModal cursor(isBusy());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const QString path = dialog.selectedFiles().constFirst();
    if (!forSaving && prompt.confirmCreate && !QFileInfo::exists(path) && !ConfirmCreate(path)) {
        return std::nullopt;
    }
    return path;
}

bool QtUiServices::ConfirmCreate(const QString& path) {
    const QString text =
        QStringLiteral("%1\nThis file does not exist.\nDo you want to create it?").arg(path);
    return showMessage(text, MessageIcon::Question, MessageButtons::YesNo) == MessageAnswer::Yes;
}

bool QtUiServices::runDialog(QDialog& dialog) {
    NormalCursorWhileModal cursor(isBusy());
    return dialog.exec() == QDialog::Accepted;
}

void QtUiServices::sleep(int milliseconds) {
    if (milliseconds > 0) {
        QThread::msleep(static_cast<unsigned long>(milliseconds));
    }
}

void QtUiServices::beginBusy() {
    if (++busyDepth_ > 1) {
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (mainWindow_ != nullptr) {
        mainWindow_->setEnabled(false);
    }
}

void QtUiServices::endBusy() {
    // An unmatched end must not pop a cursor that someone else set.
    if (busyDepth_ == 0 || --busyDepth_ > 0) {
        return;
    }
    QApplication::restoreOverrideCursor();
    if (mainWindow_ != nullptr) {
        mainWindow_->setEnabled(true);
    }
}

bool QtUiServices::printFile(const QString& path) {
    QFile file(path);
    const QPrinterInfo printerInfo = QPrinterInfo::defaultPrinter();
    if (printerInfo.isNull() || !file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return false;
    }
    QPrinter printer(printerInfo);
    printer.setDocName(QFileInfo(path).fileName());
    QTextDocument document;
    document.setDefaultFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    document.setPlainText(WithTabsExpanded(QString::fromLatin1(file.readAll())));
    document.print(&printer);
    return printer.printerState() != QPrinter::Error;
}

}  // namespace zerandi
