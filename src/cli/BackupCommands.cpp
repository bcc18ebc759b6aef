#include "cli/BackupCommands.h"

#include <QDir>
#include <QFileInfo>
#include <variant>

#include "backup/BackupCompare.h"
#include "backup/BackupFile.h"
#include "backup/BackupPart.h"
#include "backup/BackupReadSequence.h"
#include "cli/CliCommand.h"
#include "cli/CliContext.h"
#include "cli/CliNames.h"
#include "cli/CliProgress.h"
#include "cli/CliResult.h"
#include "cli/CliStandardStream.h"
#include "cli/CliTime.h"
#include "cli/CliUiServices.h"
#include "config/ControlCardText.h"
#include "config/RouterModelTables.h"
#include "services/UserFileRead.h"

namespace zerandi {

namespace {

using BackupTaken = std::variant<RouterBackup, CliExit>;

// Takes a backup of the opened router, Ctrl-C stopping it between two steps; otherwise the
// exit status, after saying why and that `notDone` (what the command did not do).
BackupTaken TakeBackup(CliContext& context, const QString& notDone) {
    BackupReadSequence sequence(context.Doc());
    CliProgress progress(QStringLiteral("backup steps"), BackupReadSequence::kStepCount,
                         context.Quiet(), context.Json());
    std::optional<RouterBackup> backup =
        sequence.Run([&progress](int done, int /*total*/, const QString& /*step*/) {
            progress.Show(done);
            return !CliContext::Interrupted();
        });
    if (backup) {
        return std::move(*backup);
    }
    if (sequence.Result() == BackupReadSequence::Outcome::Cancelled) {
        context.Ui().TellError(context.Command().name +
                               QStringLiteral(": interrupted before the router was read whole: ") +
                               notDone);
        return CliExit::Interrupted;
    }
    return context.Fail(sequence.Failure());
}

// The parts a backup holds, as `restore --only` names them, in the order a restore writes them.
QStringList PartsHeld(const RouterBackup& backup) {
    QStringList words;
    for (const BackupPart part : AllBackupParts()) {
        if (BackupHoldsPart(backup, part)) {
            words << BackupPartWord(part);
        }
    }
    return words;
}

CliExit Backup(CliContext& context) {
    const QString path = context.Argument(0);
    // Checked before a backup that may take minutes is read.
    if (const auto refused = context.RefuseUnsavable(path)) {
        return *refused;
    }
    if (const auto failed = context.OpenRouter()) {
        return *failed;
    }
    BackupTaken taken = TakeBackup(context, QStringLiteral("nothing was saved."));
    if (const auto* failed = std::get_if<CliExit>(&taken)) {
        return *failed;
    }
    RouterBackup& backup = std::get<RouterBackup>(taken);
    // The names given with --names, held to the router already, are this router's names.
    if (const RouterNames* given = context.Names().Given()) {
        backup.names = *given;
    }
    if (!context.WriteOutput(path, BackupFile::ToBytes(backup))) {
        return CliExit::RouterFailed;
    }
    // On standard output the backup file is all there is.
    if (path == kStandardStream) {
        return CliExit::Ok;
    }
    CliResult& result = context.Result();
    result.Add(QStringLiteral("File"), path);
    result.Add(QStringLiteral("Model"), ModelName(backup.identity.productId));
    result.Add(QStringLiteral("Control card"), FormatCardNumber(backup.identity.controlCard));
    result.Add(QStringLiteral("Taken"), CliTimeText(backup.takenAt));
    result.Add(QStringLiteral("Outputs"), static_cast<qint64>(backup.routing.size()));
    result.AddList(QStringLiteral("Parts"), PartsHeld(backup));
    return CliExit::Ok;
}

// How compare refuses a file that is not a backup.
QString CompareRefusal(const QString& name, const QString& fault) {
    return QStringLiteral("%1 is not a backup Zerandi can read: %2").arg(name, fault);
}

// Text: one line a difference, nothing when there is none. JSON: whether they are the same,
// and every difference.
CliExit ShowDifferences(const CliContext& context,
                        const std::vector<BackupDifference>& differences) {
    if (context.Json()) {
        CliTable table{{QStringLiteral("Part"), QStringLiteral("Item"), QStringLiteral("Before"),
                        QStringLiteral("After")},
                       {}};
        for (const BackupDifference& difference : differences) {
            table.rows.push_back(
                {difference.part, difference.item, difference.before, difference.after});
        }
        context.Result().Add(QStringLiteral("Same"), differences.empty());
        context.Result().AddTable(QStringLiteral("Differences"), std::move(table));
    } else if (!differences.empty()) {
        const QString lines = BackupDifferenceLines(differences).join(QLatin1Char('\n'));
        context.WriteOutput(kStandardStream, (lines + QLatin1Char('\n')).toUtf8());
    }
    return differences.empty() ? CliExit::Ok : CliExit::Difference;
}

// The backup the first file is compared with: the second file, or a backup of the router
// taken now.
BackupTaken CompareWith(CliContext& context) {
    if (context.Arguments().size() > 1) {
        std::optional<RouterBackup> backup =
            ReadBackupArgument(context, context.Argument(1), CompareRefusal);
        return backup ? BackupTaken(std::move(*backup)) : BackupTaken(CliExit::Usage);
    }
    if (const auto failed = context.OpenRouter()) {
        return *failed;
    }
    return TakeBackup(context, QStringLiteral("nothing was compared."));
}

CliExit Compare(CliContext& context) {
    if (context.Argument(1) == kStandardStream) {
        return context.Usage(QStringLiteral("only the first file may be standard input (-)."));
    }
    const std::optional<RouterBackup> before =
        ReadBackupArgument(context, context.Argument(0), CompareRefusal);
    if (!before) {
        return CliExit::Usage;
    }
    const BackupTaken after = CompareWith(context);
    if (const auto* failed = std::get_if<CliExit>(&after)) {
        return *failed;
    }
    return ShowDifferences(context, CompareBackups(*before, std::get<RouterBackup>(after)));
}

}  // namespace

std::optional<RouterBackup> ReadBackupArgument(const CliContext& context, const QString& path,
                                               const BackupRefusal& refusal) {
    const std::optional<QByteArray> bytes = context.ReadInput(
        path, {.maxBytes = BackupFile::kMaxFileBytes,
               .openFailureText = QStringLiteral("Could not open the backup file %1.").arg(path)});
    if (!bytes) {
        return std::nullopt;
    }
    BackupFile::Parsed parsed = BackupFile::FromBytes(*bytes);
    if (!parsed.backup) {
        context.Refuse(refusal(CliInputName(path), parsed.fault));
    }
    return std::move(parsed.backup);
}

void AddBackupCommands(std::vector<CliCommand>& commands) {
    // The sequence reads the whole router itself, "Read All" first: the line is all it needs.
    commands.push_back({QStringLiteral("backup"),
                        QStringLiteral("FILE.zbk|-"),
                        QStringLiteral("save the whole router in a backup file"),
                        {},
                        1,
                        1,
                        RouterNeed::Link,
                        Backup});
    // Two files need no router: the line is opened only to compare one file with the router.
    commands.push_back({QStringLiteral("compare"),
                        QStringLiteral("FILE.zbk|- [FILE2.zbk]"),
                        QStringLiteral("what differs between a backup and the router, or two "
                                       "backups"),
                        {},
                        1,
                        2,
                        RouterNeed::Link,
                        Compare});
}

}  // namespace zerandi
