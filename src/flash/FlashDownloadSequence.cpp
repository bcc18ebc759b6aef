#include "flash/FlashDownloadSequence.h"

#include "flash/SRecordChecker.h"
#include "protocol/RouterDiagnosticCommPort.h"
#include "services/UiServices.h"
#include "services/UserFileRead.h"

namespace zerandi {

namespace {

const QString kEnteringText = QStringLiteral(": Entering Flash Write mode.");
const QString kEnterFailedText = QStringLiteral(": Problem entering Flash Write mode");
const QString kWritingText = QStringLiteral("%1: Writing SRecord #%2");
const QString kExitingText = QStringLiteral(": Exiting Flash Download mode.");
const QString kExitFailedText = QStringLiteral(": Problem exiting Flash Write mode");
const QString kFirstRecordFailedText = QStringLiteral("Problem writing first Srecord");
const QString kSecondRecordFailedText = QStringLiteral("Problem writing first S record");
const QString kRecordFailedText = QStringLiteral("Problem writing S records");
const QString kDamagedImageText = QStringLiteral(
    "The file\n%1\nis not a firmware image that can be written.\nLine %2: %3.\n"
    "Nothing has been sent to the router.");

}  // namespace

FlashDownloadSequence::FlashDownloadSequence(RouterDiagnosticCommPort& port, UiServices& ui,
                                             ProgressObserver observer)
    : port_(port), ui_(ui), observer_(std::move(observer)) {}

QString FlashDownloadSequence::SuccessText() {
    return QStringLiteral("Flash was successfully written!");
}

QString FlashDownloadSequence::ResetQuestion() {
    return QStringLiteral(
        "The controller must be reset after a software download.\nDo you want to reset now?");
}

QString FlashDownloadSequence::PairingQuestion() {
    return QStringLiteral(
        "WARNING: For CC0209 control cards the PLD and Matrix code MUST always be loaded at the "
        "same time. \n Do you wish to continue?");
}

QString FlashDownloadSequence::OpenFailureText(const QString& path) {
    return QStringLiteral("Could not open file: \n") + path;
}

bool FlashDownloadSequence::Run(const std::vector<FlashFile>& files) {
    std::vector<Image> images;
    if (!LoadImages(files, images)) {
        return false;
    }
    for (const Image& image : images) {
        if (!Download(image)) {
            return false;
        }
    }
    return true;
}

bool FlashDownloadSequence::LoadImages(const std::vector<FlashFile>& files,
                                       std::vector<Image>& images) {
    images.resize(files.size());
    for (size_t i = 0; i < files.size(); ++i) {
        if (!LoadImage(files[i], images[i])) {
            return false;
        }
    }
    return true;
}

bool FlashDownloadSequence::LoadImage(const FlashFile& file, Image& image) {
    const std::optional<QByteArray> bytes =
        ReadUserFile(ui_, file.path,
                     {.maxBytes = kMaxImageBytes, .openFailureText = OpenFailureText(file.path)});
    if (!bytes) {
        return false;
    }
    SRecordChecker checker;
    if (const auto problem = checker.Check(*bytes)) {
        Warn(kDamagedImageText.arg(file.path).arg(problem->lineNumber).arg(problem->description));
        return false;
    }
    image.file = file;
    image.lines = checker.Lines();
    return true;
}

bool FlashDownloadSequence::Download(const Image& image) {
    componentName_ = image.file.componentName;
    progress_ = FlashProgress{image.file.slot, QString(), static_cast<int>(image.lines.size()), 0};
    return EnterWriteMode(image) && WriteFirstRecords(image) && WriteRemainingRecords(image) &&
           ExitDownloadMode(image);
}

bool FlashDownloadSequence::EnterWriteMode(const Image& image) {
    ShowStep(Named(kEnteringText), 0);
    if (port_.EnterFlashWriteMode(image.file.component)) {
        return true;
    }
    ShowStatus(Named(kEnterFailedText));
    Warn(Named(kEnterFailedText));
    return false;
}

// The first record goes through the facade, which finds the record layout the card takes;
// the second waits long enough for the card to erase its flash.
bool FlashDownloadSequence::WriteFirstRecords(const Image& image) {
    ShowStep(kWritingText.arg(componentName_).arg(1), 1);
    if (!port_.SendFlashRecord(image.lines[0], image.file.component)) {
        Warn(kFirstRecordFailedText);
        return false;
    }
    ShowStep(progress_.status, progress_.position + 1);
    if (!SendRecord(image, image.lines[1], kSecondRecordTimeoutMs, kSecondRecordRetries,
                    kSecondRecordRetryPauseMs)) {
        Warn(kSecondRecordFailedText);
        return false;
    }
    return true;
}

bool FlashDownloadSequence::WriteRemainingRecords(const Image& image) {
    for (size_t line = 2; line < image.lines.size(); ++line) {
        const int number = static_cast<int>(line) - 1;
        ShowStep(kWritingText.arg(componentName_).arg(number), number);
        if (!SendRecord(image, image.lines[line], kRecordTimeoutMs, kRecordRetries,
                        kRecordRetryPauseMs)) {
            Warn(kRecordFailedText);
            return false;
        }
        ui_.sleep(kAfterRecordPauseMs);
    }
    return true;
}

bool FlashDownloadSequence::ExitDownloadMode(const Image& image) {
    ShowStatus(Named(kExitingText));
    if (port_.ExitFlashDownloadMode(image.file.component)) {
        return true;
    }
    ShowStatus(Named(kExitFailedText));
    Warn(Named(kExitFailedText));
    return false;
}

bool FlashDownloadSequence::SendRecord(const Image& image, const std::string& line,
                                       uint32_t timeoutMs, int retries, uint32_t retryPauseMs) {
    RouterMessage message;
    return port_.BuildFlashRecordMessage(line, message, image.file.component) &&
           port_.SendFlashRecordMessage(message, timeoutMs, retries, retryPauseMs);
}

void FlashDownloadSequence::ShowStatus(const QString& text) {
    ShowStep(text, progress_.position);
}

void FlashDownloadSequence::ShowStep(const QString& text, int position) {
    progress_.status = text;
    progress_.position = position;
    if (observer_) {
        observer_(progress_);
    }
}

QString FlashDownloadSequence::Named(const QString& text) const {
    return componentName_ + text;
}

void FlashDownloadSequence::Warn(const QString& text) {
    ui_.showMessage(text, MessageIcon::Warning);
}

}  // namespace zerandi
