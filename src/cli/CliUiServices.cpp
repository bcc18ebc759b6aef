#include "cli/CliUiServices.h"

#include <QThread>
#include <utility>

namespace zerandi {

CliUiServices::CliUiServices(QString programName, bool answerYes, std::FILE* messages)
    : programName_(std::move(programName)), answerYes_(answerYes), messages_(messages) {}

MessageAnswer CliUiServices::showMessage(const QString& text, MessageIcon /*icon*/,
                                         MessageButtons buttons, const QString& /*caption*/) {
    QString line = programName_ + QStringLiteral(": ") + text;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (buttons == MessageButtons::YesNo) {
        line += answerYes_ ? QStringLiteral(" [yes: --yes given]") : QStringLiteral(" [no]");
    }
    std::fputs(line.toLocal8Bit().constData(), messages_);
    std::fputc('\n', messages_);
    std::fflush(messages_);
    switch (buttons) {
        case MessageButtons::YesNo:
            return answerYes_ ? MessageAnswer::Yes : MessageAnswer::No;
        case MessageButtons::OkCancel:
        case MessageButtons::Ok:
            break;
    }
    return MessageAnswer::Ok;
}

std::optional<QString> CliUiServices::promptOpenFile(const FilePrompt& /*prompt*/) {
    return std::nullopt;
}

std::optional<QString> CliUiServices::promptSaveFile(const FilePrompt& /*prompt*/) {
    return std::nullopt;
}

bool CliUiServices::runDialog(QDialog& /*dialog*/) {
    return false;
}

void CliUiServices::sleep(int milliseconds) {
    QThread::msleep(static_cast<unsigned long>(milliseconds));
}

bool CliUiServices::printFile(const QString& /*path*/) {
    return false;
}

}  // namespace zerandi
