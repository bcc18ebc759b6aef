// Times the table transfers of the port types and scramble map views through the facade
// against the simulated router paced at 115200 baud, and prints each as a ratio to the
// line time of the bytes exchanged (10 bits a byte; the protocol mandates no pause here).
#include <QCoreApplication>
#include <QString>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "PtySimulator.h"
#include "SimRouter.h"
#include "protocol/RouterDiagnosticCommPort.h"
#include "serial/PortChoice.h"
#include "serial/QtSerialDevice.h"
#include "serial/SystemClock.h"
#include "shell/UiServices.h"

namespace {

constexpr uint32_t kBaud = 115200;
constexpr uint32_t kRestingReadTimeoutMs = 500;
constexpr int kDataBits = 8;
constexpr int kRuns = 11;
constexpr double kBitsPerByte = 10.0;
constexpr double kMicrosPerSecond = 1e6;
constexpr size_t kDataRouterPorts = 256;

// Prints what a view would show; a benchmark has no one to answer.
class ConsoleUiServices : public zerandi::UiServices {
public:
    zerandi::MessageAnswer showMessage(const QString& text, zerandi::MessageIcon,
                                       zerandi::MessageButtons, const QString&) override {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        ++messages;
        return zerandi::MessageAnswer::Ok;
    }
    std::optional<QString> promptOpenFile(const zerandi::FilePrompt&) override { return {}; }
    std::optional<QString> promptSaveFile(const zerandi::FilePrompt&) override { return {}; }
    bool runDialog(QDialog&) override { return false; }
    void sleep(int) override {}
    void beginBusy() override {}
    void endBusy() override {}
    bool isBusy() const override { return false; }
    bool printFile(const QString&) override { return false; }

    int messages = 0;
};

// Every byte both ways: the requests the router received, and the replies a twin router
// in the same state gives to them.
size_t BytesExchanged(const std::string& model, const zsim::RouterState& before,
                      const std::vector<std::vector<uint8_t>>& requests) {
    zsim::SimRouter twin(model);
    twin.Update([&](zsim::RouterState& state) { state = before; });
    size_t bytes = 0;
    for (const auto& request : requests) {
        bytes += request.size() + zsim::SimRouter::SentBytes(twin.Feed(request)).size();
    }
    return bytes;
}

struct Result {
    double medianMicros = 0;
    double bestMicros = 0;
    double lineMicros = 0;
    bool ok = true;
};

Result Measure(const std::string& model, zsim::SimRouter& router,
               const std::function<bool()>& transfer) {
    std::vector<double> micros;
    Result result;
    for (int run = 0; run < kRuns; ++run) {
        const zsim::RouterState before = router.Snapshot();
        router.ClearReceivedFrames();
        const auto start = std::chrono::steady_clock::now();
        result.ok = transfer() && result.ok;
        const auto end = std::chrono::steady_clock::now();
        micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
        const size_t bytes = BytesExchanged(model, before, router.ReceivedFrames());
        result.lineMicros = static_cast<double>(bytes) * kBitsPerByte * kMicrosPerSecond / kBaud;
    }
    std::sort(micros.begin(), micros.end());
    result.medianMicros = micros[micros.size() / 2];
    result.bestMicros = micros.front();
    return result;
}

void Print(const char* what, const Result& result) {
    std::printf("%-36s line time %7.0f us, median %7.0f us (ratio %.3f), best %7.0f us (%.3f)%s\n",
                what, result.lineMicros, result.medianMicros,
                result.medianMicros / result.lineMicros, result.bestMicros,
                result.bestMicros / result.lineMicros, result.ok ? "" : "  (FAILED)");
}

// One simulated router of the model, paced at the bench's baud rate, and the facade on it.
struct Bench {
    explicit Bench(const std::string& model) : router(model), pty(router) {}

    bool Open() {
        if (!pty.Start()) {
            return false;
        }
        pty.SetPacingBaud(kBaud);
        const auto port = zerandi::PortChoice::Device(QString::fromStdString(pty.DevicePath()));
        return facade.Reopen(port, kBaud, kDataBits, zerandi::StopBits::One, zerandi::Parity::None,
                             kRestingReadTimeoutMs);
    }

    ConsoleUiServices ui;
    zerandi::SystemClock clock;
    zsim::SimRouter router;
    zsim::PtySimulator pty;
    zerandi::RouterDiagnosticCommPort facade{ui, std::make_unique<zerandi::QtSerialDevice>(),
                                             clock};
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    Bench scramble("QS1210");
    Bench ports("QR1208");
    if (!scramble.Open() || !ports.Open()) {
        std::fprintf(stderr, "cannot open the simulator's pseudo-terminals\n");
        return 1;
    }
    std::printf("%d runs each at %u baud, simulator paced both ways\n", kRuns, kBaud);
    zerandi::ScrambleTableWords table{};
    const Result scrambleRead =
        Measure("QS1210", scramble.router, [&] { return scramble.facade.GetScrambleTable(table); });
    const Result scrambleWrite =
        Measure("QS1210", scramble.router, [&] { return scramble.facade.SetScrambleTable(table); });
    std::vector<uint8_t> types(kDataRouterPorts, 0);
    bool reverse = false;
    uint8_t delay = 0;
    const Result portRead = Measure("QR1208", ports.router, [&] {
        return ports.facade.GetDataRouterParameters(reverse, delay, types);
    });
    const Result portWrite = Measure("QR1208", ports.router, [&] {
        return ports.facade.SetDataRouterParameters(0, delay, types);
    });
    Print("scramble map read (QS1210)", scrambleRead);
    Print("scramble map write, 16 blocks", scrambleWrite);
    Print("port types read, 256 ports (QR1208)", portRead);
    Print("port types write, 256 ports", portWrite);
    const bool ok = scrambleRead.ok && scrambleWrite.ok && portRead.ok && portWrite.ok;
    return ok && scramble.ui.messages == 0 && ports.ui.messages == 0 ? 0 : 1;
}
