#include "cli/FlashCommand.h"
#include <algorithm>
#include <array>

#include "cli/CliCommand.h"
#include "cli/CliContext.h"
#include "cli/CliProgress.h"
#include "cli/CliReset.h"
#include "cli/CliResult.h"
#include "cli/CliUiServices.h"
#include "config/ConfigReadSequence.h"
#include "config/ConfigViewSettings.h"
#include "config/ControlCardText.h"
#include "config/RouterConfigDoc.h"
#include "config/RouterModelTables.h"
#include "flash/FlashDownloadSequence.h"
#include "flash/FlashSlots.h"
#include "flash/SRecordChecker.h"
#include "services/UiServices.h"
#include "services/UserFileRead.h"

namespace zerandi {

namespace {

// The option of each slot, in slot order; --app0 is the first slot's name on a card that
// carries an application there.
constexpr std::array<const char*, kFlashSlotCount> kSlotOptions{"diag", "mtrx", "comm",
                                                                "pld0", "pld1", "pld2"};
const QString kApp0Option = QStringLiteral("app0");

// The option that names the slot's file: --app0 stands for --diag.
QString SlotOption(const CliContext& context, size_t slot) {
    return slot == kDiagSlot && context.IsSet(kApp0Option)
               ? kApp0Option
               : QString::fromLatin1(kSlotOptions[slot]);
}

std::vector<FlashFile> NamedFiles(const CliContext& context) {
    std::vector<FlashFile> files;
    for (size_t slot = 0; slot < kFlashSlotCount; ++slot) {
        const QString path = context.Value(SlotOption(context, slot));
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

// Reads and checks every image whole before the router is even opened, and lists them with
// their records; nothing after saying what is wrong.
std::optional<CliTable> CheckImages(const CliContext& context,
                                    const std::vector<FlashFile>& files) {
    CliTable images{{QStringLiteral("Image"), QStringLiteral("File"), QStringLiteral("Records")},
                    {}};
    for (const FlashFile& file : files) {
        const std::optional<QByteArray> bytes =
            ReadUserFile(context.Ui(), file.path,
                         {.maxBytes = FlashDownloadSequence::kMaxImageBytes,
                          .openFailureText = FlashDownloadSequence::OpenFailureText(file.path)});
        if (!bytes) {
            return std::nullopt;
        }
        SRecordChecker checker;
        if (const auto problem = checker.Check(*bytes)) {
            context.Refuse(
                QStringLiteral("the file %1 is not a firmware image that can be written: line "
                               "%2: %3.")
                    .arg(file.path)
                    .arg(problem->lineNumber)
                    .arg(problem->description));
            return std::nullopt;
        }
        images.rows.push_back({SlotOption(context, static_cast<size_t>(file.slot)).toUpper(),
                               file.path, static_cast<int>(checker.Lines().size())});
    }
    return images;
}

// A file for a slot the identified card does not take is refused before flash mode, by the
// rule that decides the window's rows.
std::optional<CliExit> RefuseMissingSlots(CliContext& context, const std::vector<FlashFile>& files,
                                          const std::array<bool, kFlashSlotCount>& cardSlots) {
    const RouterConfigDoc& doc = context.Doc();
    for (const FlashFile& file : files) {
        const auto slot = static_cast<size_t>(file.slot);
        if (!cardSlots.at(slot)) {
            const QString card = doc.controlCard.partNumber >= 0
                                     ? FormatCardNumber(doc.controlCard)
                                     : ModelName(doc.ProductId()) + QStringLiteral("'s");
            return context.Refuse(NoSuchSlotText(card, slot) + QLatin1Char('.'));
        }
    }
    return std::nullopt;
}

// On a CC0209 card the matrix and PLD code go together: writing one without the other
// needs a yes, from the user or from --yes.
std::optional<CliExit> AskPairing(CliContext& context, const std::vector<FlashFile>& files,
                                  bool pld0Slot) {
    if (!NeedsPairingQuestion(pld0Slot, context.Doc().controlCard.partNumber,
                              Named(files, kMtrxSlot), Named(files, kPld0Slot))) {
        return std::nullopt;
    }
    if (context.Ui().showMessage(FlashDownloadSequence::PairingQuestion(), MessageIcon::Warning,
                                 MessageButtons::YesNo) == MessageAnswer::Yes) {
        return std::nullopt;
    }
    return context.Refuse(
        context.Ui().LastQuestionUnanswered()
            ? QStringLiteral("the card takes its MTRX and PLD0 code together and no one answered "
                             "whether to write one alone: name both, or add --yes.")
            : QStringLiteral("writing the MTRX or PLD0 code alone was declined."));
}

CliExit Flash(CliContext& context) {
    if (context.IsSet(QString::fromLatin1(kSlotOptions[kDiagSlot])) && context.IsSet(kApp0Option)) {
        return context.Usage(
            QStringLiteral("--diag and --app0 both name the first slot: give one of them."));
    }
    const std::vector<FlashFile> files = NamedFiles(context);
    if (files.empty()) {
        return context.Usage(QStringLiteral("name at least one image file."));
    }
    std::optional<CliTable> images = CheckImages(context, files);
    if (!images) {
        return CliExit::Usage;
    }
    if (const auto failed = context.OpenRouter()) {
        return *failed;
    }
    RouterConfigDoc& doc = context.Doc();
    ConfigViewSettings settings;
    // An unknown router is still flashed, as in the window.
    ConfigReadSequence(doc, settings).ReadIdentity();
    const auto cardSlots =
        CardFlashSlots(doc.ProductKnown(), doc.IsExtendedControlCard(), doc.ProductId());
    if (const auto missing = RefuseMissingSlots(context, files, cardSlots)) {
        return *missing;
    }
    if (const auto declined = AskPairing(context, files, cardSlots[kPld0Slot])) {
        return *declined;
    }
    bool written = false;
    {
        CliProgress progress(QString(), 0, context.Quiet(), context.Json());
        FlashDownloadSequence sequence(doc.CommPort(), context.Ui(),
                                       [&progress](const FlashProgress& step) {
                                           progress.Show(step.status, step.position, step.range);
                                       });
        written = sequence.Run(files);
    }
    if (!written) {
        return CliExit::RouterFailed;
    }
    context.Ui().showMessage(FlashDownloadSequence::SuccessText(), MessageIcon::Information);
    context.Result().AddTable(QStringLiteral("Images"), std::move(*images));
    return AskToResetController(context, FlashDownloadSequence::ResetQuestion());
}

}  // namespace

void AddFlashCommand(std::vector<CliCommand>& commands) {
    QList<CliOption> options;
    for (const char* name : kSlotOptions) {
        options << CliOption{
            QString::fromLatin1(name), QStringLiteral("FILE"),
            QStringLiteral("The %1 image.").arg(QString::fromLatin1(name).toUpper())};
    }
    options << CliOption{kApp0Option, QStringLiteral("FILE"),
                         QStringLiteral("The APP0 image (first slot, instead of --diag).")};
    commands.push_back({QStringLiteral("flash"), QString(),
                        QStringLiteral("write firmware from S-record files, checked first"),
                        options, 0, 0, RouterNeed::Link, Flash});
}

}  // namespace zerandi
