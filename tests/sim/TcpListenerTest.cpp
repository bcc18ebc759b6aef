#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <memory>
#include <string>

#include "SimTestFrames.h"
#include "sim/SimRouter.h"
#include "sim/TcpListener.h"

namespace zsim {
namespace {

using test::Bytes;

using test::kProductIdRequest;
using test::kReplyTimeoutMs;

// A network client with nothing but POSIX calls.
class Client {
public:
    explicit Client(uint16_t port) : fd_(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(port);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        connected_ = connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
    }
    ~Client() { close(fd_); }
    bool Connected() const { return connected_; }
    // The reply to a product id request; empty when the connection ends or nothing comes.
    Bytes AskProductId() {
        if (send(fd_, kProductIdRequest.data(), kProductIdRequest.size(), MSG_NOSIGNAL) < 0) {
            return {};
        }
        Bytes reply;
        std::array<uint8_t, 64> buffer;
        pollfd in{fd_, POLLIN, 0};
        while (!test::ChecksumOk(reply) && poll(&in, 1, kReplyTimeoutMs) > 0) {
            const ssize_t count = recv(fd_, buffer.data(), buffer.size(), 0);
            if (count <= 0) {
                return {};
            }
            reply.insert(reply.end(), buffer.begin(), buffer.begin() + count);
        }
        return reply;
    }
    // True when the server closed the connection within the reply time.
    bool Closed() {
        pollfd in{fd_, POLLIN, 0};
        std::array<uint8_t, 16> buffer;
        return poll(&in, 1, kReplyTimeoutMs) > 0 && recv(fd_, buffer.data(), buffer.size(), 0) <= 0;
    }

private:
    int fd_;
    bool connected_ = false;
};

TEST(TcpListenerTest, ServesOneClientAtATimeAndTheNextAfterIt) {
    SimRouter router("QR1209");
    TcpListener listener(router);
    ASSERT_TRUE(listener.Start("127.0.0.1", 0));
    ASSERT_NE(listener.Port(), 0);
    EXPECT_EQ(listener.Address(), "tcp://127.0.0.1:" + std::to_string(listener.Port()));

    auto first = std::make_unique<Client>(listener.Port());
    ASSERT_TRUE(first->Connected());
    EXPECT_TRUE(test::ChecksumOk(first->AskProductId()));
    {
        Client second(listener.Port());
        EXPECT_TRUE(second.Closed()) << "a second client is turned away";
    }
    EXPECT_TRUE(test::ChecksumOk(first->AskProductId())) << "the first is still served";
    first.reset();
    for (int attempt = 0; attempt < 2; ++attempt) {
        Client next(listener.Port());
        EXPECT_TRUE(test::ChecksumOk(next.AskProductId())) << "attempt " << attempt;
    }
    Client last(listener.Port());
    ASSERT_TRUE(test::ChecksumOk(last.AskProductId()));
    listener.Stop();
    EXPECT_TRUE(last.Closed());
}

// The program prints the address it listens on, as it prints a pty's path. The shell prints
// its process id and becomes the program, so that the test ends that process alone.
TEST(TcpListenerTest, TheProgramListensWhereItSays) {
    FILE* program = popen("echo $$; exec " ZERANDI_SIM_PROGRAM " --listen tcp://127.0.0.1:0", "r");
    ASSERT_NE(program, nullptr);
    std::array<char, 128> pid{};
    std::array<char, 128> address{};
    const bool printed = fgets(pid.data(), pid.size(), program) != nullptr &&
                         fgets(address.data(), address.size(), program) != nullptr;
    const std::string prefix = "tcp://127.0.0.1:";
    if (printed && std::string(address.data()).rfind(prefix, 0) == 0) {
        Client client(static_cast<uint16_t>(std::stoi(address.data() + prefix.size())));
        EXPECT_TRUE(test::ChecksumOk(client.AskProductId()));
    } else {
        ADD_FAILURE() << "printed: " << address.data();
    }
    kill(std::stoi(pid.data()), SIGTERM);
    pclose(program);
}

}  // namespace
}  // namespace zsim
