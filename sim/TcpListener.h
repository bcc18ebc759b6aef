#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

#include "SimRouter.h"
#include "WireServer.h"

namespace zsim {

// Serves a SimRouter over TCP, as a serial device server in raw mode would: one client at a
// time; a client that connects while another is served is turned away at once.
class TcpListener {
public:
    explicit TcpListener(SimRouter& router);
    ~TcpListener();
    TcpListener(const TcpListener&) = delete;
    TcpListener& operator=(const TcpListener&) = delete;

    // Listens on host:port (port 0 takes a free one) and starts accepting; false when the
    // address does not resolve or cannot be bound.
    bool Start(const std::string& host, uint16_t port);
    void Stop();
    // The port listened on, once started.
    uint16_t Port() const { return port_; }
    // "tcp://HOST:PORT" with the port listened on.
    std::string Address() const;
    void SetPacingBaud(uint32_t baud) { server_.SetPacingBaud(baud); }

private:
    bool Listen(const std::string& host, uint16_t port);
    void Run();
    void Accept();

    WireServer server_;
    std::string host_;
    uint16_t port_ = 0;
    int listenFd_ = -1;
    int wakePipe_[2] = {-1, -1};
    bool serving_ = false;  // the server holds a client; only the accepting thread uses it
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace zsim
