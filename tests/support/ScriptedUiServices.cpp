#include "support/ScriptedUiServices.h"

#include <QFile>
#include <algorithm>

namespace zerandi::test {

namespace {

MessageAnswer FirstButton(MessageButtons buttons) {
    return buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
}

}  // namespace

MessageAnswer ScriptedUiServices::showMessage(const QString& text, MessageIcon icon,
                                              MessageButtons buttons, const QString& caption) {
    messages_.push_back({text, icon, buttons, caption});
    if (observer_) {
        observer_(messages_.back());
    }
    if (answers_.empty()) {
        return FirstButton(buttons);
    }
    const MessageAnswer answer = answers_.front();
    answers_.pop_front();
    return answer;
}

std::optional<QString> ScriptedUiServices::NextFilePath(const FilePrompt& prompt) {
    prompts_.push_back(prompt);
    if (filePaths_.empty()) {
        return std::nullopt;
    }
    const QString path = filePaths_.front();
    filePaths_.pop_front();
    if (path.isNull()) {
        return std::nullopt;
    }
    return path;
}

std::optional<QString> ScriptedUiServices::promptOpenFile(const FilePrompt& prompt) {
    return NextFilePath(prompt);
}

std::optional<QString> ScriptedUiServices::promptSaveFile(const FilePrompt& prompt) {
    return NextFilePath(prompt);
}

bool ScriptedUiServices::runDialog(QDialog& dialog) {
    if (dialogHandlers_.empty()) {
        return false;
    }
    auto handler = std::move(dialogHandlers_.front());
    dialogHandlers_.pop_front();
    return handler(dialog);
}

void ScriptedUiServices::sleep(int milliseconds) {
    sleeps_.push_back(milliseconds);
}

void ScriptedUiServices::beginBusy() {
    ++busyBegins_;
    ++busyDepth_;
    maxBusyDepth_ = std::max(maxBusyDepth_, busyDepth_);
}

void ScriptedUiServices::endBusy() {
    --busyDepth_;
}

bool ScriptedUiServices::printFile(const QString& path) {
    if (!printerAvailable_) {
        return false;
    }
    QFile file(path);
    printed_.push_back(path);
    printedContents_.push_back(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
    return true;
}

std::vector<QString> ScriptedUiServices::MessageTexts() const {
    std::vector<QString> texts;
    for (const auto& message : messages_) {
        texts.push_back(message.text);
    }
    return texts;
}

}  // namespace zerandi::test
