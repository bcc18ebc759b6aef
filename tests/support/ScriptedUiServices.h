#pragma once

#include <QByteArray>
#include <QString>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "services/UiServices.h"

namespace zerandi::test {

// A UiServices that records every message and answers prompts and dialogs from a
// script. Sleeps are recorded, not slept. Unscripted questions answer the first
// button (OK or Yes); unscripted file prompts are cancelled; unscripted dialogs
// are run by nobody and count as cancelled.
class ScriptedUiServices : public UiServices {
public:
    struct Message {
        QString text;
        MessageIcon icon;
        MessageButtons buttons;
        QString caption;  // as passed: empty means the product name
    };

    MessageAnswer showMessage(const QString& text, MessageIcon icon, MessageButtons buttons,
                              const QString& caption) override;
    std::optional<QString> promptOpenFile(const FilePrompt& prompt) override;
    std::optional<QString> promptSaveFile(const FilePrompt& prompt) override;
    bool runDialog(QDialog& dialog) override;
    void sleep(int milliseconds) override;
    void beginBusy() override;
    void endBusy() override;
    bool isBusy() const override { return busyDepth_ > 0; }
    bool printFile(const QString& path) override;

    // Script.
    void AnswerNextMessage(MessageAnswer answer) { answers_.push_back(answer); }
    // A path answers the prompt; nothing cancels it.
    void AnswerNextFilePrompt(const std::optional<QString>& path) {
        filePaths_.push_back(path.value_or(QString()));
    }
    // The handler drives the dialog (clicks, typing) and returns whether it was accepted.
    void HandleNextDialog(std::function<bool(QDialog&)> handler) {
        dialogHandlers_.push_back(std::move(handler));
    }
    // With no printer every print fails, as on a machine without a default printer.
    void SetPrinterAvailable(bool available) { printerAvailable_ = available; }
    // Called from inside showMessage, e.g. to look at the screen while a box is up.
    void OnMessage(std::function<void(const Message&)> observer) {
        observer_ = std::move(observer);
    }

    // Record.
    const std::vector<Message>& Messages() const { return messages_; }
    std::vector<QString> MessageTexts() const;
    void ClearMessages() { messages_.clear(); }
    const std::vector<FilePrompt>& FilePrompts() const { return prompts_; }
    const std::vector<int>& Sleeps() const { return sleeps_; }
    const std::vector<QString>& PrintedFiles() const { return printed_; }
    // What each printed file held when it was handed to the printer.
    const std::vector<QByteArray>& PrintedContents() const { return printedContents_; }
    int BusyBegins() const { return busyBegins_; }
    int MaxBusyDepth() const { return maxBusyDepth_; }

private:
    std::optional<QString> NextFilePath(const FilePrompt& prompt);

    std::deque<MessageAnswer> answers_;
    std::deque<QString> filePaths_;  // a null string stands for a cancelled prompt
    std::deque<std::function<bool(QDialog&)>> dialogHandlers_;
    std::function<void(const Message&)> observer_;
    std::vector<Message> messages_;
    std::vector<FilePrompt> prompts_;
    std::vector<int> sleeps_;
    std::vector<QString> printed_;
    std::vector<QByteArray> printedContents_;
    bool printerAvailable_ = true;
    int busyDepth_ = 0;
    int busyBegins_ = 0;
    int maxBusyDepth_ = 0;
};

}  // namespace zerandi::test
