// Times the table transfers of the port types and scramble map views through the facade
// against the simulated router paced at 115200 baud, beside the line time of the bytes
// exchanged (the protocol mandates no pause here).
#include <QCoreApplication>
#include <vector>

#include "bench/BenchSupport.h"

namespace {

constexpr int kRuns = 11;
constexpr size_t kDataRouterPorts = 256;

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    zbench::PacedRouter scramble("QS1210");
    zbench::PacedRouter ports("QR1208");
    if (!scramble.Open() || !ports.Open()) {
        return 1;
    }
    zerandi::ScrambleTableWords table{};
    auto scrambleRead = zbench::MeasureTransfer(
        scramble, kRuns, [&] { return scramble.facade.GetScrambleTable(table); });
    auto scrambleWrite = zbench::MeasureTransfer(
        scramble, kRuns, [&] { return scramble.facade.SetScrambleTable(table); });
    std::vector<uint8_t> types(kDataRouterPorts, 0);
    bool reverse = false;
    uint8_t delay = 0;
    auto portRead = zbench::MeasureTransfer(
        ports, kRuns, [&] { return ports.facade.GetDataRouterParameters(reverse, delay, types); });
    auto portWrite = zbench::MeasureTransfer(
        ports, kRuns, [&] { return ports.facade.SetDataRouterParameters(0, delay, types); });
    for (auto* run : {&scrambleRead, &scrambleWrite}) {
        zbench::AddBareClient(scramble, *run, kRuns);
    }
    for (auto* run : {&portRead, &portWrite}) {
        zbench::AddBareClient(ports, *run, kRuns);
    }
    zbench::PrintRows("scramble read (QS1210)", scrambleRead);
    zbench::PrintRows("scramble write, 16 blocks", scrambleWrite);
    zbench::PrintRows("port types read, 256 ports (QR1208)", portRead);
    zbench::PrintRows("port types write, 256 ports", portWrite);
    const bool ok = scrambleRead.ok && scrambleWrite.ok && portRead.ok && portWrite.ok;
    return ok ? 0 : 1;
}
