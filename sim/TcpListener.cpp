#include "TcpListener.h"

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <utility>

namespace zsim {
namespace {

constexpr int kBacklog = 4;
// A client that connects just as the last one hangs up waits this long for the hand-over.
constexpr std::chrono::milliseconds kHandOverWait{200};
constexpr std::chrono::milliseconds kHandOverPoll{5};

// Closes the descriptor on leaving the scope unless released.
class FdGuard {
public:
    explicit FdGuard(int fd) : fd_(fd) {}
    ~FdGuard() {
        if (fd_ >= 0) {
            close(fd_);
        }
    }
    FdGuard(const FdGuard&) = delete;
    FdGuard& operator=(const FdGuard&) = delete;
    int Get() const { return fd_; }
    int Release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

uint16_t BoundPort(int fd) {
    sockaddr_storage address{};
    socklen_t size = sizeof(address);
    if (getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        return 0;
    }
    if (address.ss_family == AF_INET6) {
        return ntohs(reinterpret_cast<const sockaddr_in6*>(&address)->sin6_port);
    }
    return ntohs(reinterpret_cast<const sockaddr_in*>(&address)->sin_port);
}

}  // namespace

TcpListener::TcpListener(SimRouter& router) : server_(router) {}

TcpListener::~TcpListener() {
    Stop();
    for (int& fd : wakePipe_) {
        if (fd >= 0) {
            close(fd);
            fd = -1;
        }
    }
}

bool TcpListener::Start(const std::string& host, uint16_t port) {
    if (thread_.joinable() || (wakePipe_[0] < 0 && pipe2(wakePipe_, O_NONBLOCK | O_CLOEXEC) != 0) ||
        !Listen(host, port)) {
        return false;
    }
    host_ = host;
    stop_ = false;
    thread_ = std::thread(&TcpListener::Run, this);
    return true;
}

bool TcpListener::Listen(const std::string& host, uint16_t port) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_PASSIVE | AI_NUMERICSERV;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) {
        return false;
    }
    FdGuard fd(socket(found->ai_family, SOCK_STREAM | SOCK_CLOEXEC, 0));
    const int on = 1;
    const bool listening = setsockopt(fd.Get(), SOL_SOCKET, SO_REUSEADDR, &on, sizeof(on)) == 0 &&
                           bind(fd.Get(), found->ai_addr, found->ai_addrlen) == 0 &&
                           listen(fd.Get(), kBacklog) == 0;
    freeaddrinfo(found);
    port_ = listening ? BoundPort(fd.Get()) : 0;
    if (port_ == 0) {
        return false;
    }
    listenFd_ = fd.Release();
    return true;
}

std::string TcpListener::Address() const {
    return "tcp://" + host_ + ":" + std::to_string(port_);
}

void TcpListener::Stop() {
    stop_ = true;
    if (wakePipe_[1] >= 0) {
        const uint8_t wake = 1;
        [[maybe_unused]] const ssize_t ignored = write(wakePipe_[1], &wake, 1);
    }
    if (thread_.joinable()) {
        thread_.join();
    }
    server_.Stop();
    serving_ = false;
    if (listenFd_ >= 0) {
        close(listenFd_);
        listenFd_ = -1;
    }
}

void TcpListener::Run() {
    while (!stop_) {
        std::array<pollfd, 2> fds{pollfd{listenFd_, POLLIN, 0}, pollfd{wakePipe_[0], POLLIN, 0}};
        if (poll(fds.data(), fds.size(), -1) > 0 && (fds[0].revents & POLLIN) && !stop_) {
            Accept();
        }
    }
}

void TcpListener::Accept() {
    FdGuard client(accept4(listenFd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC));
    const auto handOverEnd = std::chrono::steady_clock::now() + kHandOverWait;
    while (serving_ && !server_.Gone() && std::chrono::steady_clock::now() < handOverEnd) {
        std::this_thread::sleep_for(kHandOverPoll);
    }
    serving_ = serving_ && !server_.Gone();
    if (serving_) {
        return;  // the guard turns the newcomer away
    }
    // The previous client's thread has ended; joining it lets the server start again.
    server_.Stop();
    const int on = 1;
    const int fd = client.Release();
    if (fd < 0 || setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof(on)) != 0 ||
        !server_.Start(fd, {fd})) {
        if (fd >= 0) {
            close(fd);
        }
        return;
    }
    serving_ = true;
}

}  // namespace zsim
