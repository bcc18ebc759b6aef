#include "bench/BenchSupport.h"

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>
#include <QThread>

#include <algorithm>
#include <array>
#include <cstdio>
#include <span>

#include "serial/DispatchingSerialDevice.h"
#include "serial/PortChoice.h"
#include "serial/QtSerialDevice.h"
#include "serial/Rfc2217Codec.h"

namespace zbench {

namespace {

constexpr double kMsPerSecond = 1000.0;
constexpr size_t kRawChunkBytes = 256;
constexpr int kRawReplyTimeoutMs = 1000;
constexpr uint8_t kTelnetIac = 0xFF;
// The server's answers to the Telnet opening have all come once the line is quiet this long.
constexpr int kTelnetQuietMs = 200;
const QString kLoopback = QStringLiteral("127.0.0.1");

// The bare client's end of the line, and whether it speaks Telnet there.
struct BareLine {
    int fd = -1;
    bool telnet = false;
};

// The data bytes among `bytes` as Telnet sends them: a doubled 0xFF is one (`iac` carries a
// first 0xFF over to the next piece).
size_t TelnetDataBytes(std::span<const uint8_t> bytes, bool& iac) {
    size_t data = 0;
    for (const uint8_t byte : bytes) {
        iac = !iac && byte == kTelnetIac;
        data += iac ? 0 : 1;
    }
    return data;
}

// Never reads past the `count` data bytes: a Telnet piece holds at least as many wire bytes.
bool ReadExactly(const BareLine& line, size_t count) {
    std::array<uint8_t, kRawChunkBytes> buffer{};
    bool iac = false;
    while (count > 0) {
        pollfd in{line.fd, POLLIN, 0};
        if (poll(&in, 1, kRawReplyTimeoutMs) <= 0) {
            return false;
        }
        const ssize_t got = read(line.fd, buffer.data(), std::min(count, buffer.size()));
        if (got <= 0) {
            return false;
        }
        const auto piece = std::span<const uint8_t>(buffer).first(static_cast<size_t>(got));
        count -= line.telnet ? TelnetDataBytes(piece, iac) : piece.size();
    }
    return true;
}

// The requests as they go on the wire: over Telnet a data byte of 0xFF goes doubled.
Frames WireForm(const Frames& requests, bool telnet) {
    if (!telnet) {
        return requests;
    }
    Frames wire;
    for (const auto& request : requests) {
        const QByteArray escaped = zerandi::Rfc2217Codec::EscapeData(request);
        wire.emplace_back(escaped.begin(), escaped.end());
    }
    return wire;
}

bool Replay(const BareLine& line, const Frames& wireRequests, const std::vector<size_t>& replies) {
    for (size_t i = 0; i < wireRequests.size(); ++i) {
        const auto& request = wireRequests[i];
        const auto sent = write(line.fd, request.data(), request.size());
        if (sent != static_cast<ssize_t>(request.size()) || !ReadExactly(line, replies[i])) {
            return false;
        }
    }
    return true;
}

int OpenRawDevice(const std::string& path) {
    const int fd = open(path.c_str(), O_RDWR | O_NOCTTY);
    if (fd >= 0) {
        termios raw{};
        tcgetattr(fd, &raw);
        cfmakeraw(&raw);
        tcsetattr(fd, TCSANOW, &raw);
    }
    return fd;
}

// A blocking TCP connection without Nagle's delay, as the facade's; negative on failure.
int Connect(const zerandi::NetworkAddress& address) {
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV;
    addrinfo* found = nullptr;
    if (getaddrinfo(address.Host().toStdString().c_str(), std::to_string(address.Port()).c_str(),
                    &hints, &found) != 0) {
        return -1;
    }
    int fd = socket(found->ai_family, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const int on = 1;
    if (fd >= 0 && (connect(fd, found->ai_addr, found->ai_addrlen) != 0 ||
                    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof(on)) != 0)) {
        close(fd);
        fd = -1;
    }
    freeaddrinfo(found);
    return fd;
}

// Sends the facade's Telnet opening (option offers and line settings) and reads the
// server's answers until the line falls quiet; false when the server closes instead.
bool OpenTelnet(int fd, uint32_t baud) {
    const QByteArray opening = zerandi::Rfc2217Codec::Opening(zerandi::LineSettings{baud});
    if (write(fd, opening.constData(), static_cast<size_t>(opening.size())) != opening.size()) {
        return false;
    }
    std::array<uint8_t, kRawChunkBytes> answers{};
    pollfd in{fd, POLLIN, 0};
    while (poll(&in, 1, kTelnetQuietMs) > 0) {
        if (read(fd, answers.data(), answers.size()) <= 0) {
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
      tcp(router),
      facade(ui, std::make_unique<zerandi::DispatchingSerialDevice>(), clock),
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
    const zerandi::PortChoice port = server_ ? zerandi::PortChoice::Network(*server_)
                                             : zerandi::PortChoice::Device(DevicePath());
    return facade.Reopen(port, baud, kDataBits, zerandi::StopBits::One, zerandi::Parity::None,
                         kRestingReadTimeoutMs);
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

bool PacedRouter::OpenOverTcp() {
    if (!tcp.Start(kLoopback.toStdString(), 0)) {
        std::fprintf(stderr, "cannot start the simulator's TCP listener\n");
        return false;
    }
    tcp.SetPacingBaud(pacing_);
    return OpenThrough(*zerandi::NetworkAddress::Parse(QString::fromStdString(tcp.Address())));
}

bool PacedRouter::OpenThrough(const zerandi::NetworkAddress& server) {
    server_ = server;
    const bool opened = OpenFacade();
    if (!opened) {
        std::fprintf(stderr, "cannot open %s: %s\n", qPrintable(server.ToString()),
                     qPrintable(facade.LastOpenErrorText()));
    }
    return opened;
}

int PacedRouter::OpenBareLine() const {
    if (!server_) {
        return OpenRawDevice(pty.DevicePath());
    }
    const int fd = Connect(*server_);
    if (fd >= 0 && server_->LineMode() == zerandi::NetworkAddress::Mode::Rfc2217 &&
        !OpenTelnet(fd, baud)) {
        close(fd);
        return -1;
    }
    return fd;
}

double PacedRouter::BareClientMs(const Frames& requests, const std::vector<size_t>& replies,
                                 int repeats) {
    const bool facadeWasOpen = facade.IsOpen();
    facade.Close();
    const BareLine line{OpenBareLine(),
                        server_ && server_->LineMode() == zerandi::NetworkAddress::Mode::Rfc2217};
    const Frames wireRequests = WireForm(requests, line.telnet);
    bool ok = line.fd >= 0;
    std::vector<double> samples;
    for (int i = 0; ok && i < repeats; ++i) {
        samples.push_back(TimeMs([&] { ok = Replay(line, wireRequests, replies); }));
    }
    if (line.fd >= 0) {
        close(line.fd);
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

std::unique_ptr<zerandi::RouterConfigDoc> DocumentOn(PacedRouter& paced) {
    return std::make_unique<zerandi::RouterConfigDoc>(
        paced.ui, std::make_unique<zerandi::QtSerialDevice>(), paced.clock,
        zerandi::PortChoice::Device(paced.DevicePath()), paced.baud);
}

}  // namespace zbench
