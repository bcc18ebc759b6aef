// Times the two whole-router sequences a technician runs most, through the facade against
// the simulated router paced at 115200 baud: "Read All" of the configuration (QR1206) and a
// salvo of 256 takes (QS1214). Neither has a mandated pause, so the line time is the floor.
#include <QCoreApplication>

#include "bench/BenchSupport.h"
#include "config/ConfigReadSequence.h"
#include "config/ConfigViewSettings.h"
#include "config/RouterConfigDoc.h"
#include "connect/TakeLists.h"

namespace {

constexpr int kRuns = 11;
constexpr int kSalvoTakes = 256;
constexpr int kFirstInput = 1;

// "Read All" runs on the document's own link, so the facade of the paced router only
// serves the bare-client replay.
zbench::WireRun MeasureReadAll(zbench::PacedRouter& paced) {
    const auto document = zbench::DocumentOn(paced);
    zerandi::RouterConfigDoc& doc = *document;
    zerandi::ConfigViewSettings settings;
    auto run = zbench::MeasureTransfer(paced, kRuns, [&] {
        zerandi::ConfigReadSequence(doc, settings).Run();
        return settings.readComplete;
    });
    doc.CommPort().Close();
    zbench::AddBareClient(paced, run, kRuns);
    return run;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    zbench::PacedRouter config(zsim::SimRouter::kDefaultModel);
    zbench::PacedRouter matrix("QS1214");
    if (!config.StartLine() || !matrix.Open()) {
        return 1;
    }
    const zbench::WireRun readAll = MeasureReadAll(config);
    const zerandi::TakeList salvo =
        zerandi::DiagonalTakeList(kFirstInput, kFirstInput, kFirstInput + kSalvoTakes - 1);
    zbench::WireRun takes = zbench::MeasureTransfer(
        matrix, kRuns, [&] { return matrix.facade.ExecuteTakeList(salvo, false); });
    zbench::AddBareClient(matrix, takes, kRuns);
    zbench::PrintRows("Read All, configuration (QR1206)", readAll);
    zbench::PrintRows("salvo of 256 takes (QS1214)", takes);
    return readAll.ok && takes.ok ? 0 : 1;
}
