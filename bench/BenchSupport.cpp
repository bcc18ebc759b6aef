#include "bench/BenchSupport.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>
#include <QThread>

#include <algorithm>
#include <array>
#include <cstdio>

#include "serial/PortChoice.h"
#include "serial/QtSerialDevice.h"

namespace zbench {

namespace {

constexpr double kMsPerSecond = 1000.0;
constexpr size_t kRawChunkBytes = 256;
constexpr int kRawReplyTimeoutMs = 1000;

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

bool Replay(int fd, const Frames& requests, const std::vector<size_t>& replies) {
    for (size_t i = 0; i < requests.size(); ++i) {
        const auto sent = write(fd, requests[i].data(), requests[i].size());
        if (sent != static_cast<ssize_t>(requests[i].size()) || !ReadExactly(fd, replies[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

zerandi::MessageAnswer BenchUi::showMessage(const QString& text, zerandi::MessageIcon,
                                            zerandi::MessageButtons, const QString&) {
    std::fprintf(stderr, "message: %s\n", qPrintable(text));
    ++messages;
    return zerandi::MessageAnswer::No;
}

void BenchUi::sleep(int milliseconds) {
    QThread::msleep(static_cast<unsigned long>(milliseconds));
}

double Median(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

std::vector<size_t> ReplySizes(const std::string& model, const zsim::RouterState& before,
                               const Frames& requests) {
    zsim::SimRouter twin(model);
    twin.Update([&](zsim::RouterState& state) { state = before; });
    std::vector<size_t> sizes;
    for (const auto& request : requests) {
        sizes.push_back(zsim::SimRouter::SentBytes(twin.Feed(request)).size());
    }
    return sizes;
}

size_t WireBytes(const Frames& requests, const std::vector<size_t>& replies) {
    size_t bytes = 0;
    for (const auto& request : requests) {
        bytes += request.size();
    }
    for (const size_t reply : replies) {
        bytes += reply;
    }
    return bytes;
}

double LineTimeMs(size_t bytes, uint32_t baud) {
    return static_cast<double>(bytes) * kBitsPerByte * kMsPerSecond / baud;
}

PacedRouter::PacedRouter(const std::string& model, uint32_t pacingBaud)
    : model(model),
      baud(pacingBaud == 0 ? kBenchBaud : pacingBaud),
      router(model),
      pty(router),
      facade(ui, std::make_unique<zerandi::QtSerialDevice>(), clock),
      pacing_(pacingBaud) {}

bool PacedRouter::StartLine() {
    if (!pty.Start()) {
        std::fprintf(stderr, "cannot start the simulator's pseudo-terminal\n");
        return false;
    }
    pty.SetPacingBaud(pacing_);
    return true;
}

bool PacedRouter::OpenFacade() {
    return facade.Reopen(zerandi::PortChoice::Device(DevicePath()), baud, kDataBits,
                         zerandi::StopBits::One, zerandi::Parity::None, kRestingReadTimeoutMs);
}

bool PacedRouter::Open() {
    if (!StartLine()) {
        return false;
    }
    const bool opened = OpenFacade();
    if (!opened) {
        std::fprintf(stderr, "cannot open %s\n", pty.DevicePath().c_str());
    }
    return opened;
}

double PacedRouter::BareClientMs(const Frames& requests, const std::vector<size_t>& replies,
                                 int repeats) {
    const bool facadeWasOpen = facade.IsOpen();
    facade.Close();
    const int fd = open(pty.DevicePath().c_str(), O_RDWR | O_NOCTTY);
    bool ok = fd >= 0;
    std::vector<double> samples;
    if (ok) {
        termios raw{};
        tcgetattr(fd, &raw);
        cfmakeraw(&raw);
        tcsetattr(fd, TCSANOW, &raw);
        for (int i = 0; ok && i < repeats; ++i) {
            samples.push_back(TimeMs([&] { ok = Replay(fd, requests, replies); }));
        }
        close(fd);
    }
    if (facadeWasOpen) {
        OpenFacade();
    }
    return ok ? Median(samples) : -1;
}

void PrintRow(const std::string& operation, size_t bytes, double allowedMs, double measuredMs) {
    const std::string byteText = bytes > 0 ? std::to_string(bytes) : "-";
    if (allowedMs > 0) {
        std::printf("row|%s|%s|%.2f|%.2f|%.3f\n", operation.c_str(), byteText.c_str(), allowedMs,
                    measuredMs, measuredMs / allowedMs);
    } else {
        std::printf("row|%s|%s|-|%.2f|-\n", operation.c_str(), byteText.c_str(), measuredMs);
    }
    std::fflush(stdout);
}

void PrintRows(const std::string& operation, const WireRun& run,
               const std::string& bareClientLabel) {
    PrintRow(operation + (run.ok ? "" : " (FAILED)"), run.bytes, run.allowedMs, run.measuredMs);
    if (run.bareClientMs >= 0) {
        PrintRow("  " + bareClientLabel, run.bytes, run.allowedMs, run.bareClientMs);
    }
}

}  // namespace zbench
