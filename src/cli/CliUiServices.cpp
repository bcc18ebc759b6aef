#include "cli/CliUiServices.h"

#include <unistd.h>

#include <QJsonValue>
#include <QThread>
#include <array>
#include <utility>

#include "cli/CliResult.h"

namespace zerandi {

namespace {

constexpr size_t kAnswerBytes = 64;

bool IsYes(const QString& answer) {
    const QString word = answer.trimmed().toLower();
    return word == QLatin1String("y") || word == QLatin1String("yes");
}

}  // namespace

CliUiServices::CliUiServices(QString programName, CliVoice voice, std::FILE* messages)
    : programName_(std::move(programName)), voice_(voice), messages_(messages) {}

void CliUiServices::Write(const char* jsonKey, const QString& text, const QString& usage) {
    QByteArray line;
    if (voice_.json) {
        line = "{" + JsonText(QString::fromLatin1(jsonKey)) + ":" + JsonText(text);
        line += usage.isEmpty() ? "}" : ",\"usage\":" + JsonText(usage) + "}";
    } else {
        QString flat = programName_ + QStringLiteral(": ") + text;
        flat.replace(QLatin1Char('\n'), QLatin1Char(' '));
        line = flat.toLocal8Bit();
        if (!usage.isEmpty()) {
            line += "\nUsage: " + usage.toLocal8Bit();
        }
    }
    std::fputs((line + '\n').constData(), messages_);
    std::fflush(messages_);
}

void CliUiServices::TellError(const QString& text) {
    toldError_ = true;
    Write("error", text);
}

void CliUiServices::TellUsage(const QString& problem, const QString& usage) {
    toldError_ = true;
    Write("error", problem, usage);
}

void CliUiServices::TellInformation(const QString& text) {
    if (!voice_.quiet) {
        Write("message", text);
    }
}

void CliUiServices::TellWarning(const QString& text) {
    Write("warning", text);
}

void CliUiServices::TellFrame(const QString& text) {
    Write("frame", text);
}

MessageAnswer CliUiServices::Answer(const QString& question) {
    lastUnanswered_ = false;
    switch (voice_.answer) {
        case CliAnswer::Yes:
            return MessageAnswer::Yes;
        case CliAnswer::No:
            return MessageAnswer::No;
        case CliAnswer::Ask:
            break;
    }
    if (isatty(STDIN_FILENO) == 0 || voice_.json) {
        lastUnanswered_ = true;
        return MessageAnswer::No;
    }
    QString prompt = programName_ + QStringLiteral(": ") + question + QStringLiteral(" [y/N] ");
    prompt.replace(QLatin1Char('\n'), QLatin1Char(' '));
    std::fputs(prompt.toLocal8Bit().constData(), messages_);
    std::fflush(messages_);
    std::array<char, kAnswerBytes> answer{};
    if (std::fgets(answer.data(), static_cast<int>(answer.size()), stdin) == nullptr) {
        lastUnanswered_ = true;
        return MessageAnswer::No;
    }
    return IsYes(QString::fromLocal8Bit(answer.data())) ? MessageAnswer::Yes : MessageAnswer::No;
}

MessageAnswer CliUiServices::showMessage(const QString& text, MessageIcon icon,
                                         MessageButtons buttons, const QString& /*caption*/) {
    switch (buttons) {
        case MessageButtons::YesNo:
            return Answer(text);
        case MessageButtons::OkCancel:
        case MessageButtons::Ok:
            break;
    }
    if (icon == MessageIcon::Information || icon == MessageIcon::None) {
        TellInformation(text);
    } else if (warningsOnly_ && icon == MessageIcon::Warning) {
        TellWarning(text);
    } else {
        TellError(text);
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
