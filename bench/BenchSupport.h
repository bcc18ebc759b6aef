#pragma once

// What every benchmark shares: a facade on a simulated router paced like a real line, the
// bytes a run exchanged, a bare client to replay the same requests, and the one row format
// scripts/bench.sh collects into its table.

#include <QString>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "config/RouterConfigDoc.h"
#include "protocol/RouterDiagnosticCommPort.h"
#include "serial/NetworkAddress.h"
#include "serial/SystemClock.h"
#include "services/UiServices.h"
#include "sim/PtySimulator.h"
#include "sim/SimRouter.h"
#include "sim/TcpListener.h"

namespace zbench {

using Frames = std::vector<std::vector<uint8_t>>;

constexpr uint32_t kBenchBaud = 115200;
constexpr uint32_t kRestingReadTimeoutMs = 500;
constexpr int kDataBits = 8;
constexpr double kBitsPerByte = 10.0;

// Messages go to standard error and are counted (a benchmark has no one to answer them:
// every question gets "No"); pauses are real.
class BenchUi : public zerandi::UiServices {
public:
    zerandi::MessageAnswer showMessage(const QString& text, zerandi::MessageIcon,
                                       zerandi::MessageButtons, const QString&) override;
    std::optional<QString> promptOpenFile(const zerandi::FilePrompt&) override { return {}; }
    std::optional<QString> promptSaveFile(const zerandi::FilePrompt&) override { return {}; }
    bool runDialog(QDialog&) override { return false; }
    void sleep(int milliseconds) override;
    void beginBusy() override {}
    void endBusy() override {}
    bool isBusy() const override { return false; }
    bool printFile(const QString&) override { return false; }

    int messages = 0;
};

template <typename Action>
double TimeMs(Action action) {
    const auto start = std::chrono::steady_clock::now();
    action();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

double Median(std::vector<double> samples);

// The replies the requests draw from a twin router of the model in the state `before`.
std::vector<size_t> ReplySizes(const std::string& model, const zsim::RouterState& before,
                               const Frames& requests);
// Every byte both ways: the requests and their replies.
size_t WireBytes(const Frames& requests, const std::vector<size_t>& replies);
double LineTimeMs(size_t bytes, uint32_t baud);

// A simulated router of the model on a pseudo-terminal (or served over TCP) and the facade
// on it, through the device the programs use; the simulator is paced at the baud rate unless
// it is 0 (the facade still opens at kBenchBaud).
class PacedRouter {
public:
    explicit PacedRouter(const std::string& model, uint32_t pacingBaud = kBenchBaud);

    // Starts the simulator only: for a client with a link of its own (the document), or for
    // a device server put in front of DevicePath().
    bool StartLine();
    // Starts the simulator and opens the facade on it.
    bool Open();
    // Serves the router over TCP on a loopback port instead, as a device server in raw mode
    // would, and opens the facade on it.
    bool OpenOverTcp();
    // Opens the facade on the line behind a device server in front of the started line.
    bool OpenThrough(const zerandi::NetworkAddress& server);
    // The same requests from a bare client that blocks on the line and does nothing else:
    // the floor under the machine's present load. The facade's port, when open, is closed
    // meanwhile. Over the network the bare client has a plain socket of its own; through
    // Telnet it sends the facade's opening once and drains the server's answers before the
    // replay, and then only doubles 0xFF going out and counts a doubled one once coming in.
    // The median of `repeats` replays; negative when a replay failed.
    double BareClientMs(const Frames& requests, const std::vector<size_t>& replies,
                        int repeats = 1);
    QString DevicePath() const { return QString::fromStdString(pty.DevicePath()); }

    const std::string model;
    const uint32_t baud;
    BenchUi ui;
    zerandi::SystemClock clock;
    zsim::SimRouter router;
    zsim::PtySimulator pty;
    zsim::TcpListener tcp;
    zerandi::RouterDiagnosticCommPort facade;

private:
    bool OpenFacade();
    // The bare client's end of the line, ready for the replay; negative when it cannot open.
    int OpenBareLine() const;

    uint32_t pacing_;
    // The device server or TCP listener the facade and the bare client reach the router
    // through; none on the pseudo-terminal itself.
    std::optional<zerandi::NetworkAddress> server_;
};

// One timed operation over the wire: the median run, and the bytes of the last one.
struct WireRun {
    Frames requests;
    std::vector<size_t> replies;
    size_t bytes = 0;
    double allowedMs = 0;  // line time plus the pauses the protocol mandates
    double measuredMs = 0;
    double bareClientMs = -1;  // negative when not measured
    bool ok = true;
};

// Runs `transfer` `runs` times, the router's received frames cleared before each run. With
// `startFrom`, the router is put back in that state before each run, so that a transfer that
// changes the router does the same work every run.
template <typename Transfer>
WireRun MeasureTransfer(PacedRouter& paced, int runs, Transfer transfer,
                        const zsim::RouterState* startFrom = nullptr) {
    WireRun run;
    std::vector<double> samples;
    for (int i = 0; i < runs; ++i) {
        if (startFrom != nullptr) {
            paced.router.Update([startFrom](zsim::RouterState& state) { state = *startFrom; });
        }
        const zsim::RouterState before = paced.router.Snapshot();
        paced.router.ClearReceivedFrames();
        samples.push_back(TimeMs([&] { run.ok = transfer() && run.ok; }));
        run.requests = paced.router.ReceivedFrames();
        run.replies = ReplySizes(paced.model, before, run.requests);
    }
    run.bytes = WireBytes(run.requests, run.replies);
    run.allowedMs = LineTimeMs(run.bytes, paced.baud);
    run.measuredMs = Median(samples);
    run.ok = run.ok && paced.ui.messages == 0;
    return run;
}

// Replays the run's last requests from a bare client (the line must be free of any other
// client; the facade's own port is released meanwhile).
inline void AddBareClient(PacedRouter& paced, WireRun& run, int repeats = 1) {
    run.bareClientMs = paced.BareClientMs(run.requests, run.replies, repeats);
}

// One row of the table: "row|operation|bytes|allowed ms|measured ms|ratio"; bytes or the
// allowed time may be absent (0), shown as "-".
void PrintRow(const std::string& operation, size_t bytes, double allowedMs, double measuredMs);
// The run's row, and a bare-client row under it when one was measured.
void PrintRows(const std::string& operation, const WireRun& run,
               const std::string& bareClientLabel = "same bytes, bare client");

// A document with a link of its own on the paced router's line, as the programs open it.
std::unique_ptr<zerandi::RouterConfigDoc> DocumentOn(PacedRouter& paced);

}  // namespace zbench
