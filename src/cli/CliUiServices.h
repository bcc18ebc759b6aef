#pragma once

#include <QString>
#include <cstdio>

#include "services/UiServices.h"

namespace zerandi {

// The command line's UiServices: every message goes to standard error with the program's
// name before it; a yes/no question is answered yes only when the user said so on the
// command line (--yes), and an OK/Cancel one is answered OK. No file prompt, dialog or
// printer exists here; pauses are real.
class CliUiServices : public UiServices {
public:
    CliUiServices(QString programName, bool answerYes, std::FILE* messages = stderr);

    MessageAnswer showMessage(const QString& text, MessageIcon icon,
                              MessageButtons buttons = MessageButtons::Ok,
                              const QString& caption = {}) override;
    std::optional<QString> promptOpenFile(const FilePrompt& prompt) override;
    std::optional<QString> promptSaveFile(const FilePrompt& prompt) override;
    bool runDialog(QDialog& dialog) override;
    void sleep(int milliseconds) override;
    void beginBusy() override {}
    void endBusy() override {}
    bool isBusy() const override { return false; }
    bool printFile(const QString& path) override;

private:
    QString programName_;
    bool answerYes_;
    std::FILE* messages_;
};

}  // namespace zerandi
