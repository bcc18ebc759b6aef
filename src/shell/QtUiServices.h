#pragma once

#include <QPointer>
#include <QString>
#include <optional>

#include "services/UiServices.h"

class QWidget;

namespace zerandi {

// The UiServices of the running program: Qt message boxes and file dialogs, real
// pauses, printing of text files in a fixed-width font on the default printer without
// a dialog, and the busy state (main
// window disabled, wait cursor over every window).
class QtUiServices : public UiServices {
public:
    // The window that the busy state disables and that owns the boxes and dialogs.
    void SetMainWindow(QWidget* mainWindow);

    MessageAnswer showMessage(const QString& text, MessageIcon icon,
                              MessageButtons buttons = MessageButtons::Ok,
                              const QString& caption = {}) override;
    std::optional<QString> promptOpenFile(const FilePrompt& prompt) override;
    std::optional<QString> promptSaveFile(const FilePrompt& prompt) override;
    bool runDialog(QDialog& dialog) override;
    void sleep(int milliseconds) override;
    void beginBusy() override;
    void endBusy() override;
    bool isBusy() const override { return busyDepth_ > 0; }
    bool printFile(const QString& path) override;

private:
    QWidget* DialogParent() const;
    std::optional<QString> PromptFile(const FilePrompt& prompt, bool forSaving);
    bool ConfirmCreate(const QString& path);

    QPointer<QWidget> mainWindow_;
    int busyDepth_ = 0;
};

}  // namespace zerandi
