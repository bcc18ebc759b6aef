// zerandi-sim: a simulated router on a pseudo-terminal (or a real serial port, or TCP), for
// trying the program without a router.

#include <fcntl.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "ModelCatalog.h"
#include "PtySimulator.h"
#include "SimRouter.h"
#include "TcpListener.h"
#include "WireServer.h"

namespace {

constexpr uint32_t kDefaultLineBaud = 9600;
constexpr const char* kListenScheme = "tcp://";

struct ListenAddress {
    std::string host;
    uint16_t port = 0;
};

struct Options {
    std::string model = zsim::SimRouter::kDefaultModel;
    std::optional<uint16_t> card;
    uint32_t baud = 0;
    std::string serveDevice;
    std::optional<ListenAddress> listen;
    std::string say;  // a text message the card repeats, as a card that reports its state
    bool help = false;
    bool listModels = false;
    bool version = false;
};

void PrintUsage(std::FILE* out) {
    std::fprintf(
        out,
        "Usage: zerandi-sim [--model NAME] [--card NNN] [--baud N] [--serve DEVICE]\n"
        "                   [--listen tcp://HOST:PORT] [--say TEXT]\n"
        "\n"
        "Starts a simulated router and prints the serial device to connect to.\n"
        "  --model NAME     router model (default %s)\n"
        "  --card NNN       control card part number, e.g. 263 or CC0263\n"
        "  --baud N         pace replies at N baud (on --serve: the line speed, default %u)\n"
        "  --serve DEVICE   serve a real serial port (null-modem cable) instead of a pty\n"
        "  --listen tcp://HOST:PORT\n"
        "                   serve over TCP, one client at a time (port 0: any free one)\n"
        "  --say TEXT       send TEXT as the card's own text message every two seconds\n"
        "  --list-models    list the models\n"
        "  --version        show the version and exit\n"
        "  --help           this text\n"
        "\nModels:",
        zsim::SimRouter::kDefaultModel, kDefaultLineBaud);
    for (const std::string& name : zsim::SimRouter::ModelNames()) {
        std::fprintf(out, " %s", name.c_str());
    }
    std::fprintf(out, "\n");
}

void ListModels() {
    for (const zsim::SimModel& model : zsim::AllModels()) {
        std::printf("%s\tid %u\t%u x %u\tmonitors %u\tCC%04u\n", model.name, model.productId,
                    model.inputs, model.outputs, model.monitorOutputs, model.cardPartNumber);
    }
}

std::optional<unsigned long> Number(std::string text) {
    if (text.rfind("CC", 0) == 0 || text.rfind("cc", 0) == 0) {
        text = text.substr(2);
    }
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos ||
        text.size() > 9) {
        return std::nullopt;
    }
    return std::stoul(text);
}

// "tcp://HOST:PORT"; an IPv6 host goes in brackets.
std::optional<ListenAddress> ParseListenAddress(const std::string& text) {
    const std::string scheme = kListenScheme;
    const size_t colon = text.rfind(':');
    if (text.rfind(scheme, 0) != 0 || colon == std::string::npos || colon <= scheme.size()) {
        return std::nullopt;
    }
    const auto port = Number(text.substr(colon + 1));
    std::string host = text.substr(scheme.size(), colon - scheme.size());
    if (host.size() > 2 && host.front() == '[' && host.back() == ']') {
        host = host.substr(1, host.size() - 2);
    }
    if (!port || *port > 0xFFFF) {
        return std::nullopt;
    }
    return ListenAddress{host, static_cast<uint16_t>(*port)};
}

bool ParseValue(const std::string& flag, const std::string& value, Options& options) {
    if (flag == "--model") {
        options.model = value;
        return zsim::SimRouter::HasModel(value);
    }
    if (flag == "--say") {
        options.say = value;
        return true;
    }
    if (flag == "--listen") {
        options.listen = ParseListenAddress(value);
        return options.listen.has_value();
    }
    if (flag == "--serve") {
        options.serveDevice = value;
        return !value.empty();
    }
    const auto number = Number(value);
    if (!number || *number > 0xFFFFFFFFul) {
        return false;
    }
    if (flag == "--card" && *number <= 0xFFFF) {
        options.card = static_cast<uint16_t>(*number);
        return true;
    }
    if (flag == "--baud") {
        options.baud = static_cast<uint32_t>(*number);
        return true;
    }
    return false;
}

std::optional<Options> ParseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else if (arg == "--list-models") {
            options.listModels = true;
        } else if (i + 1 < argc && ParseValue(arg, argv[i + 1], options)) {
            ++i;
        } else {
            const char* value = i + 1 < argc ? argv[i + 1] : "";
            std::fprintf(stderr, "zerandi-sim: bad option or value: %s %s\n", arg.c_str(), value);
            return std::nullopt;
        }
    }
    return options;
}

std::optional<speed_t> LineSpeed(uint32_t baud) {
    constexpr std::array<std::pair<uint32_t, speed_t>, 9> kSpeeds{{{1200, B1200},
                                                                   {2400, B2400},
                                                                   {4800, B4800},
                                                                   {9600, B9600},
                                                                   {19200, B19200},
                                                                   {38400, B38400},
                                                                   {57600, B57600},
                                                                   {115200, B115200},
                                                                   {230400, B230400}}};
    for (const auto& [rate, speed] : kSpeeds) {
        if (rate == baud) {
            return speed;
        }
    }
    return std::nullopt;
}

int OpenSerialPort(const std::string& device, uint32_t baud) {
    const auto speed = LineSpeed(baud == 0 ? kDefaultLineBaud : baud);
    if (!speed) {
        std::fprintf(stderr, "zerandi-sim: unsupported baud rate %u\n", baud);
        return -1;
    }
    const int fd = open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    termios settings{};
    if (fd < 0 || tcgetattr(fd, &settings) != 0) {
        std::perror(device.c_str());
        if (fd >= 0) {
            close(fd);
        }
        return -1;
    }
    cfmakeraw(&settings);
    settings.c_cflag |= CLOCAL | CREAD;
    cfsetspeed(&settings, *speed);
    if (tcsetattr(fd, TCSANOW, &settings) != 0) {
        std::perror(device.c_str());
        close(fd);
        return -1;
    }
    return fd;
}

void WaitForSignal(const sigset_t& signals) {
    int received = 0;
    sigwait(&signals, &received);
}

// Until a signal comes, sends the text (with its carriage return) every few seconds.
void SayUntilSignal(zsim::PtySimulator& simulator, const std::string& text,
                    const sigset_t& signals) {
    constexpr timespec kSayInterval{2, 0};
    while (sigtimedwait(&signals, nullptr, &kSayInterval) < 0) {
        simulator.SendText(text + "\r");
    }
}

int Listen(zsim::SimRouter& router, const Options& options, const sigset_t& signals) {
    zsim::TcpListener listener(router);
    listener.SetPacingBaud(options.baud);
    if (!listener.Start(options.listen->host, options.listen->port)) {
        std::perror("zerandi-sim: cannot listen");
        return EXIT_FAILURE;
    }
    std::printf("%s\n", listener.Address().c_str());
    std::fflush(stdout);
    WaitForSignal(signals);
    return EXIT_SUCCESS;
}

int Serve(const Options& options, const sigset_t& signals) {
    zsim::SimRouter router(options.model);
    if (options.card) {
        router.Update([&](zsim::RouterState& state) { state.cardPartNumber = *options.card; });
    }
    if (options.listen) {
        return Listen(router, options, signals);
    }
    if (!options.serveDevice.empty()) {
        const int fd = OpenSerialPort(options.serveDevice, options.baud);
        zsim::WireServer server(router);
        if (fd < 0 || !server.Start(fd, {fd})) {
            return EXIT_FAILURE;
        }
        std::printf("%s\n", options.serveDevice.c_str());
        std::fflush(stdout);
        WaitForSignal(signals);
        return EXIT_SUCCESS;
    }
    zsim::PtySimulator simulator(router);
    simulator.SetPacingBaud(options.baud);
    if (!simulator.Start()) {
        std::perror("zerandi-sim: cannot open a pseudo-terminal");
        return EXIT_FAILURE;
    }
    std::printf("%s\n", simulator.DevicePath().c_str());
    std::fflush(stdout);
    if (options.say.empty()) {
        WaitForSignal(signals);
    } else {
        SayUntilSignal(simulator, options.say, signals);
    }
    return EXIT_SUCCESS;
}

}  // namespace

int main(int argc, char** argv) {
    const std::optional<Options> options = ParseOptions(argc, argv);
    if (!options) {
        PrintUsage(stderr);
        return EXIT_FAILURE;
    }
    if (options->help) {
        PrintUsage(stdout);
        return EXIT_SUCCESS;
    }
    if (options->version) {
        std::printf("zerandi-sim %s\n", ZSIM_VERSION);
        return EXIT_SUCCESS;
    }
    if (options->listModels) {
        ListModels();
        return EXIT_SUCCESS;
    }
    // Blocked before any thread starts, so only sigwait receives them.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    return Serve(*options, signals);
}
