// Times the connections view on a 2,048-output router (QS1214): filling the "Physical
// Connections" list with 2,048 rows, and "Read All Outputs" against the simulated router
// paced at 115200 baud, beside the line time of the bytes sent and received.
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>
#include <QApplication>
#include <QListWidget>
#include <QMainWindow>
#include <QMdiArea>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

#include "PtySimulator.h"
#include "SimRouter.h"
#include "config/RouterConfigDoc.h"
#include "connect/RouterConnectFormView.h"
#include "protocol/RouterProtocol.h"
#include "serial/PortChoice.h"
#include "serial/QtSerialDevice.h"
#include "serial/SystemClock.h"
#include "shell/QtUiServices.h"

namespace {

constexpr const char* kModel = "QS1214";
constexpr uint32_t kBaud = 115200;
constexpr int kFillRuns = 20;
constexpr int kReadRuns = 5;
constexpr double kMicrosPerSecond = 1e6;
constexpr double kMicrosPerMilli = 1e3;
constexpr size_t kRawChunkBytes = 256;
constexpr int kDataBits = 8;
constexpr int kRawReplyTimeoutMs = 1000;

using Micros = std::chrono::duration<double, std::micro>;

template <typename Action>
double TimeMicros(Action action) {
    const auto start = std::chrono::steady_clock::now();
    action();
    return Micros(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

using Frames = std::vector<std::vector<uint8_t>>;

// The replies the requests draw: those of a second, silent router of the same model.
std::vector<size_t> ReplySizes(const Frames& requests) {
    zsim::SimRouter shadow(kModel);
    std::vector<size_t> sizes;
    for (const auto& request : requests) {
        sizes.push_back(zsim::SimRouter::SentBytes(shadow.Feed(request)).size());
    }
    return sizes;
}

// What the requests and their replies would take on a real line.
double LineTimeMicros(const Frames& requests) {
    size_t bytes = 0;
    for (const auto& request : requests) {
        bytes += request.size();
    }
    for (const size_t reply : ReplySizes(requests)) {
        bytes += reply;
    }
    return static_cast<double>(bytes * zerandi::RouterProtocol::kLineBitsPerByte) *
           kMicrosPerSecond / kBaud;
}

bool ReadExactly(int fd, size_t count) {
    std::array<uint8_t, kRawChunkBytes> buffer{};
    while (count > 0) {
        pollfd in{fd, POLLIN, 0};
        if (poll(&in, 1, kRawReplyTimeoutMs) <= 0) {
            return false;
        }
        const ssize_t got = read(fd, buffer.data(), std::min(count, buffer.size()));
        if (got <= 0) {
            return false;
        }
        count -= static_cast<size_t>(got);
    }
    return true;
}

// The floor under the machine's present load: the same requests from a bare client that
// blocks on the line and does nothing else. Negative when the replay failed.
double RawReplayMicros(const std::string& device, const Frames& requests) {
    const std::vector<size_t> replies = ReplySizes(requests);
    const int fd = open(device.c_str(), O_RDWR | O_NOCTTY);
    if (fd < 0) {
        return -1;
    }
    termios raw{};
    tcgetattr(fd, &raw);
    cfmakeraw(&raw);
    tcsetattr(fd, TCSANOW, &raw);
    bool ok = true;
    const double elapsed = TimeMicros([&] {
        for (size_t i = 0; ok && i < requests.size(); ++i) {
            ok = write(fd, requests[i].data(), requests[i].size()) ==
                     static_cast<ssize_t>(requests[i].size()) &&
                 ReadExactly(fd, replies[i]);
        }
    });
    close(fd);
    return ok ? elapsed : -1;
}

double FillMicros(zerandi::RouterConnectFormView& view, QListWidget& list, int outputs) {
    std::vector<int32_t> words(static_cast<size_t>(outputs));
    std::iota(words.begin(), words.end(), 1);
    std::vector<double> samples;
    for (int run = 0; run < kFillRuns; ++run) {
        list.clear();
        QApplication::processEvents();
        samples.push_back(TimeMicros([&] {
            view.ShowConnections(1, words);
            list.repaint();
        }));
    }
    return Median(samples);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    zsim::SimRouter router(kModel);
    zsim::PtySimulator pty(router);
    if (!pty.Start()) {
        std::fprintf(stderr, "cannot start the simulator's pseudo-terminal\n");
        return 1;
    }
    pty.SetPacingBaud(kBaud);
    zerandi::QtUiServices ui;
    zerandi::SystemClock clock;
    const auto port = zerandi::PortChoice::Device(QString::fromStdString(pty.DevicePath()));
    zerandi::RouterConfigDoc doc(ui, std::make_unique<zerandi::QtSerialDevice>(), clock, port,
                                 kBaud);
    QMainWindow window;
    auto* area = new QMdiArea(&window);
    window.setCentralWidget(area);
    auto* view = new zerandi::RouterConnectFormView(doc);
    area->addSubWindow(view);
    window.resize(1200, 900);
    window.show();
    doc.SetProductId(router.Snapshot().productId);
    auto* list = view->findChild<QListWidget*>(QStringLiteral("connections"));
    const int outputs = router.Snapshot().outputs;

    const double fill = FillMicros(*view, *list, outputs);
    std::printf("list fill, %d rows: median %.2f ms of %d runs\n", outputs, fill / kMicrosPerMilli,
                kFillRuns);

    std::vector<double> ratios;
    std::vector<double> rawRatios;
    for (int run = 0; run < kReadRuns; ++run) {
        router.ClearReceivedFrames();
        const double elapsed = TimeMicros([&] { view->ReadAllOutputs(); });
        const Frames requests = router.ReceivedFrames();
        const double line = LineTimeMicros(requests);
        if (list->count() != outputs) {
            std::fprintf(stderr, "read listed %d rows, expected %d\n", list->count(), outputs);
            return 1;
        }
        doc.CommPort().Close();
        const double raw = RawReplayMicros(pty.DevicePath(), requests);
        doc.CommPort().Reopen(port, kBaud, kDataBits, zerandi::StopBits::One, zerandi::Parity::None,
                              zerandi::RouterConfigDoc::kLinkReadTimeoutMs);
        ratios.push_back(elapsed / line);
        rawRatios.push_back(raw / line);
        std::printf(
            "Read All Outputs at %u baud (paced): %.1f ms, line time %.1f ms, ratio %.4f; "
            "bare client %.1f ms, ratio %.4f\n",
            kBaud, elapsed / kMicrosPerMilli, line / kMicrosPerMilli, elapsed / line,
            raw / kMicrosPerMilli, raw / line);
    }
    std::printf("median ratio to line time: Zerandi %.4f, bare client %.4f (%d reads each)\n",
                Median(ratios), Median(rawRatios), kReadRuns);
    return 0;
}
