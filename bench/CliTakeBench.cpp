// Times one `zerandi-cli take` at 9600 baud against the paced simulated router, the whole
// program from start to exit, beside the line time of the bytes it exchanged: identifying
// the router only as far as a take needs keeps it to three transactions.
#include <QCoreApplication>
#include <QProcess>
#include <QStringList>
#include <string>

#include "bench/BenchSupport.h"

namespace {

constexpr int kRuns = 11;
constexpr uint32_t kBaud = 9600;
constexpr int kRunLimitMs = 10000;

bool RunTake(const zbench::PacedRouter& paced) {
    QProcess cli;
    cli.start(
        QStringLiteral(ZERANDI_CLI_PATH),
        {QStringLiteral("--port"), paced.DevicePath(), QStringLiteral("--baud"),
         QString::number(kBaud), QStringLiteral("take"), QStringLiteral("5"), QStringLiteral("3")});
    return cli.waitForFinished(kRunLimitMs) && cli.exitStatus() == QProcess::NormalExit &&
           cli.exitCode() == 0;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    zbench::PacedRouter paced(zsim::SimRouter::kDefaultModel, kBaud);
    if (!paced.StartLine()) {
        return 1;
    }
    zbench::WireRun take = zbench::MeasureTransfer(paced, kRuns, [&] { return RunTake(paced); });
    zbench::AddBareClient(paced, take, kRuns);
    const std::string label =
        "zerandi-cli take at 9600, " + std::to_string(take.requests.size()) + " transactions";
    zbench::PrintRows(label, take);
    return take.ok ? 0 : 1;
}
