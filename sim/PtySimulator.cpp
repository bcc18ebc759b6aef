#include "PtySimulator.h"

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <array>

namespace zsim {
namespace {

constexpr size_t kPathBytes = 128;

bool MakeRaw(int fd) {
    termios settings{};
    if (tcgetattr(fd, &settings) != 0) {
        return false;
    }
    cfmakeraw(&settings);
    return tcsetattr(fd, TCSANOW, &settings) == 0;
}

bool AddFlags(int fd, int statusFlags) {
    const int status = fcntl(fd, F_GETFL);
    return status >= 0 && fcntl(fd, F_SETFL, status | statusFlags) == 0 &&
           fcntl(fd, F_SETFD, FD_CLOEXEC) == 0;
}

}  // namespace

PtySimulator::PtySimulator(SimRouter& router) : router_(router), server_(router) {}

PtySimulator::~PtySimulator() {
    Stop();
}

bool PtySimulator::Start() {
    if (!path_.empty()) {
        return false;
    }
    int master = -1;
    int slave = -1;
    std::array<char, kPathBytes> name{};
    if (openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) {
        return false;
    }
    const bool ready = MakeRaw(master) && MakeRaw(slave) && AddFlags(master, O_NONBLOCK) &&
                       AddFlags(slave, 0) && ttyname_r(slave, name.data(), name.size()) == 0 &&
                       server_.Start(master, {master, slave}, slave);
    if (!ready) {
        close(master);
        close(slave);
        return false;
    }
    path_ = name.data();
    return true;
}

void PtySimulator::Stop() {
    server_.Stop();
}

void PtySimulator::Disappear() {
    server_.Disappear();
}

void PtySimulator::SetPacingBaud(uint32_t baud) {
    server_.SetPacingBaud(baud);
}

void PtySimulator::SendText(const std::string& text) {
    server_.Send(router_.TextMessage(text));
}

void PtySimulator::SendRaw(const std::vector<uint8_t>& bytes) {
    server_.Send(bytes);
}

}  // namespace zsim
