// Downloads a firmware image of 2,000 S-record lines into the simulated router over a
// pseudo-terminal, the simulator paced at the baud rate as a real line is, and compares the
// time taken with what the protocol allows: the line time of every byte exchanged plus the
// pause the card needs after each record.
//
//   zerandi-bench-flash [baud ...]      (default: 115200 9600)
#include <QCoreApplication>
#include <QFile>
#include <QStringList>
#include <QThread>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

#include "PtySimulator.h"
#include "SimRouter.h"
#include "flash/FlashDownloadSequence.h"
#include "flash/FlashImages.h"
#include "protocol/RouterDiagnosticCommPort.h"
#include "serial/PortChoice.h"
#include "serial/QtSerialDevice.h"
#include "serial/SystemClock.h"
#include "shell/UiServices.h"

namespace {

using zerandi::FlashDownloadSequence;

constexpr int kImageLines = 2000;
constexpr uint32_t kRestingReadTimeoutMs = 500;
constexpr int kDataBits = 8;
constexpr size_t kAckReplyBytes = 8;  // start, address, length, 0x04, checksum
constexpr double kBitsPerByte = 10.0;
constexpr double kMsPerSecond = 1000.0;
constexpr uint8_t kComponent = 1;

// Messages go to standard error; pauses are real.
class BenchUi : public zerandi::UiServices {
public:
    zerandi::MessageAnswer showMessage(const QString& text, zerandi::MessageIcon,
                                       zerandi::MessageButtons, const QString&) override {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        return zerandi::MessageAnswer::No;
    }
    std::optional<QString> promptOpenFile(const zerandi::FilePrompt&) override { return {}; }
    std::optional<QString> promptSaveFile(const zerandi::FilePrompt&) override { return {}; }
    bool runDialog(QDialog&) override { return false; }
    void sleep(int milliseconds) override {
        QThread::msleep(static_cast<unsigned long>(milliseconds));
    }
    void beginBusy() override {}
    void endBusy() override {}
    bool isBusy() const override { return false; }
    bool printFile(const QString&) override { return false; }
};

// Line time of every request the router received and its acknowledgement, plus the pause
// after each record past the second.
double AllowedMs(const std::vector<std::vector<uint8_t>>& requests, uint32_t baud) {
    size_t bytes = 0;
    for (const auto& request : requests) {
        bytes += request.size() + kAckReplyBytes;
    }
    const double lineMs = static_cast<double>(bytes) * kBitsPerByte * kMsPerSecond / baud;
    return lineMs + (kImageLines - 2) * FlashDownloadSequence::kAfterRecordPauseMs;
}

int Measure(uint32_t baud, const QString& image) {
    zsim::SimRouter router(zsim::SimRouter::kDefaultModel);
    zsim::PtySimulator pty(router);
    if (!pty.Start()) {
        std::fprintf(stderr, "cannot start the simulator's pseudo-terminal\n");
        return 1;
    }
    pty.SetPacingBaud(baud);
    BenchUi ui;
    zerandi::SystemClock clock;
    zerandi::RouterDiagnosticCommPort port(ui, std::make_unique<zerandi::QtSerialDevice>(), clock);
    const auto device = zerandi::PortChoice::Device(QString::fromStdString(pty.DevicePath()));
    if (!port.Reopen(device, baud, kDataBits, zerandi::StopBits::One, zerandi::Parity::None,
                     kRestingReadTimeoutMs)) {
        std::fprintf(stderr, "cannot open %s\n", pty.DevicePath().c_str());
        return 1;
    }
    FlashDownloadSequence sequence(port, ui, {});
    const auto start = std::chrono::steady_clock::now();
    const bool written = sequence.Run({{0, kComponent, QStringLiteral("Mtrx Appl"), image}});
    const auto end = std::chrono::steady_clock::now();
    const double tookMs = std::chrono::duration<double, std::milli>(end - start).count();
    const auto requests = router.ReceivedFrames();
    const double allowedMs = AllowedMs(requests, baud);
    const size_t records = router.Snapshot().flashRecords[kComponent].size();
    std::printf(
        "%6u baud: %d lines, %zu records received, %zu requests, %s; took %.0f ms, "
        "allowed %.0f ms, ratio %.4f\n",
        baud, kImageLines, records, requests.size(), written ? "written" : "FAILED", tookMs,
        allowedMs, tookMs / allowedMs);
    return written ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList bauds = app.arguments().mid(1);
    if (bauds.isEmpty()) {
        bauds = {QStringLiteral("115200"), QStringLiteral("9600")};
    }
    const QString image = zerandi::test::WriteImage(QStringLiteral("zerandi-bench.mx"),
                                                    zerandi::test::ImageLines(kImageLines));
    if (image.isEmpty()) {
        std::fprintf(stderr, "cannot write the image\n");
        return 1;
    }
    int failures = 0;
    for (const QString& baud : bauds) {
        failures += Measure(baud.toUInt(), image);
    }
    QFile::remove(image);
    return failures == 0 ? 0 : 1;
}
