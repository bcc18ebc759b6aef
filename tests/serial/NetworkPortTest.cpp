#include <gtest/gtest.h>

#include "serial/NetworkAddress.h"
#include "serial/PortChoice.h"
#include "serial/StartupLinkChoice.h"

namespace zerandi {
namespace {

using Mode = NetworkAddress::Mode;

// Each port name through the three places that read one: the address, the port choice and
// the --port option.
TEST(NetworkPortTest, NetworkFormsNameALineAndOthersDoNot) {
    struct Case {
        QString name;
        bool network;
        Mode mode;
        QString host;
        uint16_t port;
        QString location;  // what the device opens; empty when the name is refused
    };
    const Case cases[] = {
        {"tcp://127.0.0.1:4001", true, Mode::Raw, "127.0.0.1", 4001, "tcp://127.0.0.1:4001"},
        {"rfc2217://devsrv-3.studio:2001", true, Mode::Rfc2217, "devsrv-3.studio", 2001,
         "rfc2217://devsrv-3.studio:2001"},
        {"tcp://[::1]:65535", true, Mode::Raw, "::1", 65535, "tcp://[::1]:65535"},
        {"rfc2217://host:1", true, Mode::Rfc2217, "host", 1, "rfc2217://host:1"},
        {"tcp://host:0", false, {}, {}, 0, ""},
        {"tcp://host:65536", false, {}, {}, 0, ""},
        {"tcp://host", false, {}, {}, 0, ""},
        {"tcp://:4001", false, {}, {}, 0, ""},
        {"udp://host:4001", false, {}, {}, 0, ""},
        {"TCP://host:4001", false, {}, {}, 0, ""},
        {"tcp://host:4001/", false, {}, {}, 0, ""},
        {"tcp://a b:4001", false, {}, {}, 0, ""},
        {"/dev/ttyUSB0", false, {}, {}, 0, "/dev/ttyUSB0"},
        {"COM2", false, {}, {}, 0, "/dev/ttyS1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        const auto address = NetworkAddress::Parse(c.name);
        ASSERT_EQ(address.has_value(), c.network);
        if (c.network) {
            EXPECT_EQ(address->LineMode(), c.mode);
            EXPECT_EQ(address->Host(), c.host);
            EXPECT_EQ(address->Port(), c.port);
        }
        const auto port = PortChoice::FromName(c.name);
        ASSERT_EQ(port.has_value(), !c.location.isEmpty());
        const auto option = StartupLinkChoice::FromOptions(c.name, std::nullopt);
        EXPECT_EQ(option.HasError(), c.location.isEmpty());
        if (port) {
            EXPECT_EQ(port->IsNetwork(), c.network);
            EXPECT_EQ(port->SystemLocation(), c.location);
            EXPECT_FALSE(port->IsNone());
            EXPECT_EQ(option.Port(), *port);
        }
    }
}

TEST(NetworkPortTest, ABadPortOptionNamesTheNetworkForms) {
    const auto choice = StartupLinkChoice::FromArguments({"zerandi", "--port", "tcp://host"});
    EXPECT_EQ(choice.ErrorText(),
              "Invalid --port value \"tcp://host\": give COM1 to COM16, a device path such as "
              "/dev/ttyUSB0, tcp://HOST:PORT or rfc2217://HOST:PORT.");
}

}  // namespace
}  // namespace zerandi
