// Times a backup of the biggest model (QS1214: 2,048 outputs, scramble map switched on)
// against the simulated router paced at 115200 baud, beside the bare client replaying the
// same requests: the backup is to take at most kAllowedOverBareClient times as long, reading
// nothing twice.
#include <QCoreApplication>
#include <cstdio>
#include <set>

#include "backup/BackupReadSequence.h"
#include "bench/BenchSupport.h"
#include "config/RouterConfigDoc.h"
#include "serial/PortChoice.h"
#include "serial/QtSerialDevice.h"

namespace {

constexpr int kRuns = 7;
constexpr double kAllowedOverBareClient = 1.03;

// How many requests of a run repeat one sent before it.
size_t RepeatedRequests(const zbench::Frames& requests) {
    std::set<std::vector<uint8_t>> seen;
    size_t repeated = 0;
    for (const auto& request : requests) {
        repeated += seen.insert(request).second ? 0 : 1;
    }
    return repeated;
}

// The backup runs on the document's own link, so the facade of the paced router only serves
// the bare-client replay.
zbench::WireRun MeasureBackup(zbench::PacedRouter& paced) {
    zerandi::RouterConfigDoc doc(paced.ui, std::make_unique<zerandi::QtSerialDevice>(), paced.clock,
                                 zerandi::PortChoice::Device(paced.DevicePath()), paced.baud);
    auto run = zbench::MeasureTransfer(
        paced, kRuns, [&] { return zerandi::BackupReadSequence(doc).Run().has_value(); });
    doc.CommPort().Close();
    zbench::AddBareClient(paced, run, kRuns);
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
    return backup.ok && backup.bareClientMs > 0 && repeated == 0 ? 0 : 1;
}
