// Times transactions to routers reached over the network, through the facade against the
// simulated router paced at 115200 baud: over tcp:// to the simulator's own TCP listener (a
// device server in raw mode), and over rfc2217:// through a real ser2net in front of the
// simulator's pseudo-terminal. Each row has its bare client on the same connection form.
#include <QCoreApplication>
#include <cstdio>
#include <string>

#include "bench/BenchSupport.h"
#include "connect/OutputRangeRead.h"
#include "serial/DeviceServerProcess.h"

namespace {

constexpr int kTransactions = 1000;
constexpr int kReadRuns = 5;
constexpr const char* kMatrixModel = "QS1214";

struct Form {
    std::string scheme;  // as the row names it
    zbench::PacedRouter& single;
    zbench::PacedRouter& matrix;
};

bool MeasureForm(const Form& form) {
    zbench::WireRun ids = zbench::MeasureTransfer(form.single, kTransactions, [&] {
        uint8_t maker = 0;
        uint8_t product = 0;
        return form.single.facade.GetProductId(maker, product);
    });
    const int outputs = form.matrix.router.Snapshot().outputs;
    zerandi::OutputRangeRead readAll(form.matrix.facade, form.matrix.ui);
    zbench::WireRun outputsRead = zbench::MeasureTransfer(
        form.matrix, kReadRuns, [&] { return readAll.Run(1, outputs).has_value(); });
    zbench::AddBareClient(form.single, ids, kTransactions);
    zbench::AddBareClient(form.matrix, outputsRead, kReadRuns);
    zbench::PrintRows("product id over " + form.scheme, ids);
    zbench::PrintRows(
        "Read All Outputs, " + std::to_string(outputs) + " outputs over " + form.scheme,
        outputsRead);
    return ids.ok && ids.bareClientMs >= 0 && outputsRead.ok && outputsRead.bareClientMs >= 0;
}

// Starts a device server in front of the router's pseudo-terminal and opens the facade
// through it.
bool OpenThroughDeviceServer(zbench::PacedRouter& paced, zerandi::DeviceServerProcess& server) {
    if (!paced.StartLine() ||
        !server.Start(paced.DevicePath(), zerandi::NetworkAddress::Mode::Rfc2217)) {
        std::fprintf(stderr, "cannot start ser2net: %s\n", qPrintable(server.Failure()));
        return false;
    }
    return paced.OpenThrough(server.Address());
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (zerandi::DeviceServerProcess::ProgramPath().isEmpty()) {
        std::fprintf(stderr, "ser2net is not installed (scripts/setup.sh installs it)\n");
        return 1;
    }
    zbench::PacedRouter tcpSingle(zsim::SimRouter::kDefaultModel);
    zbench::PacedRouter tcpMatrix(kMatrixModel);
    zbench::PacedRouter telnetSingle(zsim::SimRouter::kDefaultModel);
    zbench::PacedRouter telnetMatrix(kMatrixModel);
    zerandi::DeviceServerProcess singleServer;
    zerandi::DeviceServerProcess matrixServer;
    if (!tcpSingle.OpenOverTcp() || !tcpMatrix.OpenOverTcp() ||
        !OpenThroughDeviceServer(telnetSingle, singleServer) ||
        !OpenThroughDeviceServer(telnetMatrix, matrixServer)) {
        return 1;
    }
    const bool tcpOk = MeasureForm({"tcp://", tcpSingle, tcpMatrix});
    const bool telnetOk = MeasureForm({"rfc2217://", telnetSingle, telnetMatrix});
    return tcpOk && telnetOk ? 0 : 1;
}
