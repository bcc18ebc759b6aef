// Times a backup of the biggest model (QS1214: 2,048 outputs, scramble map switched on)
// against the simulated router paced at 115200 baud, beside the bare client replaying the
// same requests: the backup is to take at most kAllowedOverBareClient times as long, reading
// nothing twice. Then a restore of a backup of the same router that routes every output
// differently, beside the bare client replaying its requests and sleeping its pauses.
#include <QByteArray>
#include <QCoreApplication>
#include <cstdio>
#include <memory>
#include <set>

#include "backup/BackupPart.h"
#include "backup/BackupReadSequence.h"
#include "backup/BackupRestoreSequence.h"
#include "bench/BenchSupport.h"
#include "config/RouterConfigDoc.h"
#include "config/RouterModelTables.h"

namespace {

using zerandi::BackupPart;
using zerandi::RestorePartOutcome;
using zerandi::RouterBackup;

constexpr int kRuns = 7;
constexpr double kAllowedOverBareClient = 1.03;

// How many requests of a run repeat one sent before it.
size_t RepeatedRequests(const zbench::Frames& requests) {
    // As byte arrays: g++ 12 at -O3 misreads the bounds of a set of vectors' comparison.
    std::set<QByteArray> seen;
    size_t repeated = 0;
    for (const auto& request : requests) {
        const QByteArray bytes(reinterpret_cast<const char*>(request.data()),
                               static_cast<qsizetype>(request.size()));
        repeated += seen.insert(bytes).second ? 0 : 1;
    }
    return repeated;
}

// The backup runs on the document's own link, so the facade of the paced router only serves
// the bare-client replay.
zbench::WireRun MeasureBackup(zbench::PacedRouter& paced) {
    const auto doc = zbench::DocumentOn(paced);
    auto run = zbench::MeasureTransfer(
        paced, kRuns, [&] { return zerandi::BackupReadSequence(*doc).Run().has_value(); });
    doc->CommPort().Close();
    zbench::AddBareClient(paced, run, kRuns);
    return run;
}

// The router's own backup with every output fed from the next input (a tri-stated one from
// the first): restoring it takes every output.
RouterBackup EveryOutputMoved(RouterBackup backup) {
    const int32_t inputs = zerandi::ModelInputCount(backup.identity.productId);
    for (zerandi::RoutedSource& source : backup.routing) {
        source.input = source.input.value_or(0) % inputs + 1;
    }
    return backup;
}

// The pauses the restore mandates: a written configuration or port-types table is given
// kWriteSettleMs to be stored. The link's clock pauses only to recover from a fault or a busy
// router, and a sound run has neither.
int SettlePauses(const zerandi::BackupRestoreSequence& restore) {
    int pauses = 0;
    for (const RestorePartOutcome& outcome : restore.Parts()) {
        const bool written = outcome.state == RestorePartOutcome::State::Verified ||
                             outcome.state == RestorePartOutcome::State::Different;
        const bool settles =
            outcome.part == BackupPart::Configuration || outcome.part == BackupPart::PortTypes;
        pauses += written && settles ? 1 : 0;
    }
    return pauses;
}

// The pauses by themselves, as the restore sleeps them: how late the machine wakes.
double PausesAloneMs(zerandi::UiServices& ui, int pauses) {
    return zbench::TimeMs([&] {
        for (int i = 0; i < pauses; ++i) {
            ui.sleep(zerandi::RouterConfigDoc::kWriteSettleMs);
        }
    });
}

// Every part, each run from the same router state: the restore reads the router, writes the
// configuration and the scramble map, takes every output, and reads everything back.
zbench::WireRun MeasureRestore(zbench::PacedRouter& paced) {
    const auto doc = zbench::DocumentOn(paced);
    const std::optional<RouterBackup> taken = zerandi::BackupReadSequence(*doc).Run();
    if (!taken) {
        doc->CommPort().Close();
        zbench::WireRun failed;
        failed.ok = false;
        return failed;
    }
    const zsim::RouterState start = paced.router.Snapshot();
    zerandi::BackupRestoreSequence restore(*doc, EveryOutputMoved(*taken),
                                           zerandi::AllBackupParts());
    auto run = zbench::MeasureTransfer(
        paced, kRuns,
        [&] { return restore.Run({}, false) == zerandi::BackupRestoreSequence::Outcome::Restored; },
        &start);
    doc->CommPort().Close();
    const int pauses = SettlePauses(restore);
    run.allowedMs += pauses * zerandi::RouterConfigDoc::kWriteSettleMs;
    zbench::AddBareClient(paced, run, kRuns);
    run.bareClientMs += PausesAloneMs(paced.ui, pauses);
    return run;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    zbench::PacedRouter biggest("QS1214");
    if (!biggest.StartLine()) {
        return 1;
    }
    const zbench::WireRun backup = MeasureBackup(biggest);
    zbench::PrintRows("backup, QS1214 with the scramble map, at 115200", backup);
    const size_t repeated = RepeatedRequests(backup.requests);
    const double overBare = backup.measuredMs / backup.bareClientMs;
    std::fprintf(stderr,
                 "backup: %zu requests, %zu repeated; %.3f times the bare client (at most "
                 "%.2f)\n",
                 backup.requests.size(), repeated, overBare, kAllowedOverBareClient);
    const zbench::WireRun restore = MeasureRestore(biggest);
    zbench::PrintRows("restore, QS1214 with the scramble map, at 115200", restore,
                      "same bytes and pauses, bare client");
    const bool backupOk = backup.ok && backup.bareClientMs > 0 && repeated == 0;
    return backupOk && restore.ok && restore.bareClientMs > 0 ? 0 : 1;
}
