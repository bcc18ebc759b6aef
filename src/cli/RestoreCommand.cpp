#include "cli/RestoreCommand.h"

#include <QJsonArray>
#include <optional>

#include "backup/BackupFile.h"
#include "backup/BackupPart.h"
#include "backup/BackupRestoreSequence.h"
#include "cli/BackupCommands.h"
#include "cli/CliCommand.h"
#include "cli/CliContext.h"
#include "cli/CliProgress.h"
#include "cli/CliReset.h"
#include "cli/CliResult.h"
#include "cli/CliUiServices.h"
#include "config/RouterConfigDoc.h"

namespace zerandi {

namespace {

using Outcome = BackupRestoreSequence::Outcome;
using State = RestorePartOutcome::State;

const QString kOnlyOption = QStringLiteral("only");
const QString kForceOption = QStringLiteral("force");
const QString kDryRunOption = QStringLiteral("dry-run");

QStringList PartWords() {
    QStringList words;
    for (const BackupPart part : AllBackupParts()) {
        words << BackupPartWord(part);
    }
    return words;
}

// The parts --only names (every part without it); nothing after a usage error.
std::optional<std::vector<BackupPart>> ChosenParts(const CliContext& context) {
    if (!context.IsSet(kOnlyOption)) {
        return AllBackupParts();
    }
    std::vector<BackupPart> parts;
    for (const QString& word : context.Value(kOnlyOption).split(QLatin1Char(','))) {
        const std::optional<BackupPart> part = BackupPartFromWord(word);
        if (!part) {
            context.Usage(QStringLiteral("--only takes %1, separated by commas; \"%2\" is none.")
                              .arg(PartWords().join(QStringLiteral(", ")), word));
            return std::nullopt;
        }
        parts.push_back(*part);
    }
    return parts;
}

// How restore refuses a file that is not a backup: as the window tells it, on one line.
QString RestoreRefusal(const QString& name, const QString& fault) {
    QString text =
        BackupFile::RefusedText(name, fault).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text.endsWith(QLatin1Char('.')) ? text : text + QLatin1Char('.');
}

QString StateWord(State state, bool preview) {
    switch (state) {
        case State::Verified:
            return QStringLiteral("verified");
        case State::Unchanged:
            return QStringLiteral("unchanged");
        case State::Different:
            return QStringLiteral("different");
        case State::Failed:
            return QStringLiteral("failed");
        case State::NotWritten:
            return preview ? QStringLiteral("to-write") : QStringLiteral("not-written");
        case State::NotApplicable:
            break;
    }
    return QStringLiteral("not-applicable");
}

// JSON: one object a part. Text: the lines for people, without the reason it stopped, which
// is on standard error; for a dry run, what would be written.
void AddParts(const CliContext& context, const BackupRestoreSequence& sequence, bool stopped,
              bool preview) {
    const QString label = QStringLiteral("Parts");
    if (!context.Json()) {
        context.Result().AddList(label, preview ? sequence.PlannedLines()
                                                : sequence.SummaryLines().mid(stopped ? 1 : 0));
        return;
    }
    CliTable table{{QStringLiteral("Part"), QStringLiteral("State"), QStringLiteral("Differences")},
                   {}};
    for (const RestorePartOutcome& outcome : sequence.Parts()) {
        table.rows.push_back({BackupPartWord(outcome.part), StateWord(outcome.state, preview),
                              QJsonArray::fromStringList(outcome.differences)});
    }
    context.Result().AddTable(label, std::move(table));
}

// The question is asked once, after everything was read back, and only after a restore that
// wrote the configuration and neither failed nor was cancelled: a router left half restored
// is not restarted on it. After a reset the routing and monitors are read again.
CliExit OfferReset(CliContext& context, BackupRestoreSequence& sequence) {
    if (!sequence.ResetDue()) {
        if (sequence.ConfigurationWritten()) {
            context.Ui().TellInformation(
                QStringLiteral("The restore did not finish, so the controller was not reset; what "
                               "was written takes effect when it resets."));
        }
        context.Result().Add(QStringLiteral("Reset"), false);
        return CliExit::Ok;
    }
    bool reset = false;
    const CliExit exit =
        AskToResetController(context, RouterConfigDoc::ConfigurationResetQuestion(), &reset);
    if (reset) {
        context.Result().AddList(QStringLiteral("After reset"), sequence.ReadAfterReset());
    }
    return exit;
}

CliExit ExitOf(Outcome outcome) {
    switch (outcome) {
        case Outcome::Restored:
            return CliExit::Ok;
        case Outcome::Different:
            return CliExit::Difference;
        case Outcome::Refused:
            return CliExit::Usage;
        case Outcome::Cancelled:
            return CliExit::Interrupted;
        case Outcome::Previewed:
            return CliExit::Ok;
        case Outcome::Failed:
            break;
    }
    return CliExit::RouterFailed;
}

Outcome RunRestore(const CliContext& context, BackupRestoreSequence& sequence) {
    std::optional<CliProgress> progress;
    const auto shown = [&progress, &context](int done, int total, const QString& /*step*/) {
        if (!progress) {
            progress.emplace(QStringLiteral("restore steps"), total, context.Quiet(),
                             context.Json());
        }
        progress->Show(done);
        return !CliContext::Interrupted();
    };
    const bool force = context.IsSet(kForceOption);
    return context.IsSet(kDryRunOption) ? sequence.Preview(shown, force)
                                        : sequence.Run(shown, force);
}

CliExit Restore(CliContext& context) {
    const std::optional<std::vector<BackupPart>> parts = ChosenParts(context);
    if (!parts) {
        return CliExit::Usage;
    }
    const std::optional<RouterBackup> backup =
        ReadBackupArgument(context, context.Argument(0), RestoreRefusal);
    if (!backup) {
        return CliExit::Usage;
    }
    if (const auto failed = context.OpenRouter()) {
        return *failed;
    }
    BackupRestoreSequence sequence(context.Doc(), *backup, *parts);
    const Outcome outcome = RunRestore(context, sequence);
    const QString name = context.Command().name + QStringLiteral(": ");
    if (outcome == Outcome::Refused) {
        const QString force = context.IsSet(kForceOption)
                                  ? QString()
                                  : QStringLiteral(" --force restores it all the same.");
        context.Ui().TellError(name + sequence.OtherRouterText() +
                               QStringLiteral(" Nothing has been written to the router.") + force);
        return CliExit::Usage;
    }
    const bool stopped = outcome == Outcome::Failed || outcome == Outcome::Cancelled;
    if (stopped) {
        context.Ui().TellError(name + sequence.SummaryLines().value(0));
    }
    if (outcome == Outcome::Previewed) {
        AddParts(context, sequence, false, true);
        return CliExit::Ok;
    }
    AddParts(context, sequence, stopped, false);
    if (stopped && context.IsSet(kDryRunOption)) {
        return ExitOf(outcome);
    }
    const CliExit reset = OfferReset(context, sequence);
    return reset == CliExit::Ok ? ExitOf(outcome) : reset;
}

}  // namespace

void AddRestoreCommand(std::vector<CliCommand>& commands) {
    // The sequence reads the whole router itself, "Read All" first: the line is all it needs.
    commands.push_back(
        {QStringLiteral("restore"),
         QStringLiteral("FILE.zbk|-"),
         QStringLiteral("write what differs of a backup file back to the router and read it back"),
         {{kOnlyOption, QStringLiteral("PARTS"),
           QStringLiteral("Restore only these parts, separated by commas: configuration, "
                          "port-types, scramble-map, routing, monitors, names.")},
          {kForceOption, QString(),
           QStringLiteral("Restore a backup of another model or control card.")},
          {kDryRunOption, QString(),
           QStringLiteral("Read the router and list every write the restore would make; write "
                          "nothing.")}},
         1,
         1,
         RouterNeed::Link,
         Restore});
}

}  // namespace zerandi
