#pragma once

#include <QString>
#include <cstdio>

#include "services/UiServices.h"

namespace zerandi {

// How zerandi-cli answers a yes/no question.
enum class CliAnswer {
    Ask,  // on a terminal, ask the user; otherwise leave it unanswered (no)
    Yes,  // --yes
    No,   // --no
};

// How zerandi-cli talks on standard error.
struct CliVoice {
    CliAnswer answer = CliAnswer::Ask;
    bool json = false;   // every line is a JSON document: {"error": ...}, {"warning": ...}, ...
    bool quiet = false;  // information is not shown; warnings and errors are
};

// The command line's UiServices: every message goes to standard error, after the program's
// name, or as one JSON document a line. A question is asked on a terminal and answered from
// the keyboard; otherwise --yes or --no answer it, and without either it stays unanswered
// and counts as "no". No file prompt, dialog or printer exists here; pauses are real.
class CliUiServices : public UiServices {
public:
    CliUiServices(QString programName, CliVoice voice, std::FILE* messages = stderr);

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

    // An error of the program's own ("could not open ..."), as the messages are written.
    void TellError(const QString& text);
    // A usage error: the problem, then how the command is used on a line of its own.
    void TellUsage(const QString& problem, const QString& usage);
    void TellInformation(const QString& text);
    // One frame on the line, decoded (--verbose).
    void TellFrame(const QString& text);
    // Something the user should know that does not make the command fail.
    void TellWarning(const QString& text);
    // While set, a warning box is told as a warning rather than an error: for work whose
    // troubles never fail the command (the names this computer keeps for the router).
    void SetWarningsOnly(bool on) { warningsOnly_ = on; }

    // True when the last question was answered neither by the user nor by --yes or --no.
    bool LastQuestionUnanswered() const { return lastUnanswered_; }
    // True once a warning or an error has been told.
    bool ToldAnError() const { return toldError_; }
    const CliVoice& Voice() const { return voice_; }

private:
    MessageAnswer Answer(const QString& question);
    void Write(const char* jsonKey, const QString& text, const QString& usage = {});

    QString programName_;
    CliVoice voice_;
    std::FILE* messages_;
    bool lastUnanswered_ = false;
    bool toldError_ = false;
    bool warningsOnly_ = false;
};

}  // namespace zerandi
