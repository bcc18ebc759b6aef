#include "cli/FlashCommand.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>

#include "cli/CliCommand.h"
#include "cli/CliResult.h"
#include "cli/CliRouter.h"
#include "config/RouterConfigDoc.h"
#include "flash/FlashDownloadSequence.h"
#include "flash/FlashSlots.h"
#include "services/UiServices.h"

namespace zerandi {

namespace {

// The option of each slot, in slot order; --app0 is the first slot's name on a card that
// carries an application there.
constexpr std::array<const char*, kFlashSlotCount> kSlotOptions{"diag", "mtrx", "comm",
                                                                "pld0", "pld1", "pld2"};
const QString kApp0Option = QStringLiteral("app0");

// One line that rewrites itself on a terminal; nothing when standard error is a file.
void ShowProgress(const FlashProgress& step) {
    if (isatty(STDERR_FILENO) == 0) {
        return;
    }
    const QString line =
        QStringLiteral("\r%1 %2/%3   ").arg(step.status).arg(step.position).arg(step.range);
    std::fputs(line.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
}

std::vector<FlashFile> NamedFiles(const QCommandLineParser& parser) {
    std::vector<FlashFile> files;
    for (size_t slot = 0; slot < kFlashSlotCount; ++slot) {
        QString path = parser.value(QString::fromLatin1(kSlotOptions[slot]));
        if (slot == kDiagSlot && path.isEmpty()) {
            path = parser.value(kApp0Option);
        }
        if (!path.trimmed().isEmpty()) {
            files.push_back({static_cast<int>(slot), FlashSlotComponent(slot),
                             FlashSlotComponentName(slot), path});
        }
    }
    return files;
}

bool Named(const std::vector<FlashFile>& files, size_t slot) {
    return std::any_of(files.begin(), files.end(),
                       [&](const FlashFile& file) { return file.slot == static_cast<int>(slot); });
}

CliExit Flash(CliContext& context) {
    QList<QCommandLineOption> options;
    for (const char* name : kSlotOptions) {
        options << QCommandLineOption(
            QString::fromLatin1(name),
            QStringLiteral("The %1 image.").arg(QString::fromLatin1(name).toUpper()),
            QStringLiteral("FILE"));
    }
    options << QCommandLineOption(kApp0Option, QStringLiteral("The APP0 image (first slot)."),
                                  QStringLiteral("FILE"));
    QCommandLineParser parser;
    if (auto exit = ParseCommandArguments(context, parser, options, 0, 0)) {
        return *exit;
    }
    const std::vector<FlashFile> files = NamedFiles(parser);
    if (files.empty()) {
        return context.Usage(QStringLiteral("name at least one image file."));
    }
    RouterConfigDoc& doc = *context.doc;
    ReadRouterIdentity(doc);  // an unknown router is still flashed, as in the window
    if (NeedsPairingQuestion(true, doc.controlCard.partNumber, Named(files, kMtrxSlot),
                             Named(files, kPld0Slot)) &&
        context.ui.showMessage(FlashDownloadSequence::PairingQuestion(), MessageIcon::Warning,
                               MessageButtons::YesNo) != MessageAnswer::Yes) {
        return CliExit::RouterFailed;
    }
    FlashDownloadSequence sequence(doc.CommPort(), context.ui, ShowProgress);
    const bool written = sequence.Run(files);
    if (isatty(STDERR_FILENO) != 0) {
        std::fputc('\n', stderr);
    }
    if (!written) {
        return CliExit::RouterFailed;
    }
    context.ui.showMessage(FlashDownloadSequence::SuccessText(), MessageIcon::Information);
    doc.AskAndResetController(FlashDownloadSequence::ResetQuestion());
    return CliExit::Ok;
}

}  // namespace

void AddFlashCommand(std::vector<CliCommand>& commands) {
    commands.push_back({QStringLiteral("flash"),
                        QStringLiteral("[--diag|--app0 FILE] [--mtrx FILE] [--comm FILE] "
                                       "[--pld0 FILE] [--pld1 FILE] [--pld2 FILE]"),
                        QStringLiteral("write firmware from S-record files, checked first"), true,
                        Flash});
}

}  // namespace zerandi
