// Times GetProductId transactions against the simulated router over a pseudo-terminal and
// prints the spread, beside the line time the same bytes would take on a real serial line.
#include <QCoreApplication>
#include <QString>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

#include "PtySimulator.h"
#include "SimRouter.h"
#include "protocol/RouterProtocol.h"
#include "serial/PortChoice.h"
#include "serial/QtSerialDevice.h"
#include "serial/SystemClock.h"

namespace {

using zerandi::CommResult;
using zerandi::RouterAddress;
using zerandi::RouterMessage;
using zerandi::RouterProtocol;

constexpr int kTransactions = 1000;
constexpr uint32_t kBaud = 115200;
constexpr uint32_t kRestingReadTimeoutMs = 500;
constexpr int kDataBits = 8;
constexpr uint8_t kGetProductIdCommand = 0x10;
constexpr size_t kProductIdReplyDataBytes = 2;  // maker code, product id
constexpr double kMicrosPerSecond = 1e6;

// Nearest-rank percentile of sorted samples.
double Percentile(const std::vector<double>& sorted, double fraction) {
    const auto rank = static_cast<size_t>(fraction * static_cast<double>(sorted.size() - 1) + 0.5);
    return sorted[rank];
}

// The time the request and its reply would spend on a real line at this baud rate.
double LineTimeMicros(uint32_t baud) {
    RouterMessage request(RouterAddress{}, kGetProductIdCommand);
    request.SetChecksum();
    const size_t bytes = 2 * request.FrameSize() + kProductIdReplyDataBytes;
    return static_cast<double>(bytes * RouterProtocol::kLineBitsPerByte) * kMicrosPerSecond / baud;
}

struct Samples {
    std::vector<double> micros;
    int failures = 0;
};

Samples TimeProductIds(RouterProtocol& protocol) {
    Samples samples;
    samples.micros.reserve(kTransactions);
    const RouterAddress address;
    for (int i = 0; i < kTransactions; ++i) {
        uint8_t maker = 0;
        uint8_t product = 0;
        const auto start = std::chrono::steady_clock::now();
        const CommResult result = protocol.GetProductId(address, maker, product);
        const auto end = std::chrono::steady_clock::now();
        samples.micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
        if (result != CommResult::Success) {
            ++samples.failures;
        }
    }
    std::sort(samples.micros.begin(), samples.micros.end());
    return samples;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    zsim::SimRouter router(zsim::SimRouter::kDefaultModel);
    zsim::PtySimulator pty(router);
    if (!pty.Start()) {
        std::fprintf(stderr, "cannot start the simulator's pseudo-terminal\n");
        return 1;
    }
    zerandi::SystemClock clock;
    RouterProtocol protocol(std::make_unique<zerandi::QtSerialDevice>(), clock);
    const auto port = zerandi::PortChoice::Device(QString::fromStdString(pty.DevicePath()));
    if (!protocol.Reopen(port, kBaud, kDataBits, zerandi::StopBits::One, zerandi::Parity::None,
                         kRestingReadTimeoutMs)) {
        std::fprintf(stderr, "cannot open %s: %s\n", pty.DevicePath().c_str(),
                     qPrintable(protocol.LastOpenErrorText()));
        return 1;
    }
    const Samples samples = TimeProductIds(protocol);
    const size_t received = router.ReceivedFrames().size();
    std::printf(
        "GetProductId x %d over %s at %u baud (simulator unpaced), %d failed, %zu "
        "requests received by the simulator\n",
        kTransactions, pty.DevicePath().c_str(), kBaud, samples.failures, received);
    std::printf("per transaction: median %.0f us, p10 %.0f us, p90 %.0f us\n",
                Percentile(samples.micros, 0.5), Percentile(samples.micros, 0.1),
                Percentile(samples.micros, 0.9));
    std::printf("line time of request and reply at %u baud: %.0f us\n", kBaud,
                LineTimeMicros(kBaud));
    return samples.failures == 0 ? 0 : 1;
}
