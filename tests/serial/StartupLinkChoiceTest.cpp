#include <gtest/gtest.h>

#include "serial/StartupLinkChoice.h"

namespace zerandi {
namespace {

TEST(StartupLinkChoiceTest, CommandLineChoosesPortAndBaud) {
    struct Case {
        QStringList arguments;
        PortChoice port;
        uint32_t baud;
        bool error;
    };
    const PortChoice usb = PortChoice::Device("/dev/ttyUSB0");
    const Case cases[] = {
        {{"zerandi"}, PortChoice::Com(1), 9600, false},
        {{}, PortChoice::Com(1), 9600, false},
        {{"/opt/COM3/zerandi-b57600"}, PortChoice::Com(1), 9600, false},
        {{"/opt/COM3/zerandi", "b38400"}, PortChoice::Com(1), 38400, false},
        {{"zerandi", "COM3", "COM2"}, PortChoice::Com(2), 9600, false},
        {{"zerandi", "COM4"}, PortChoice::Com(4), 9600, false},
        {{"zerandi", "com3", "B19200"}, PortChoice::Com(1), 9600, false},
        {{"zerandi", "COM7"}, PortChoice::Com(1), 9600, false},
        {{"zerandi", "b115200", "b19200"}, PortChoice::Com(1), 19200, false},
        {{"zerandi", "b57600"}, PortChoice::Com(1), 57600, false},
        {{"zerandi", "-xCOM3b38400"}, PortChoice::Com(3), 38400, false},
        {{"zerandi", "COM3", "--port", "/dev/ttyUSB0"}, usb, 9600, false},
        {{"zerandi", "--port", "COM12", "COM2"}, PortChoice::Com(12), 9600, false},
        {{"zerandi", "b19200", "--baud", "57600"}, PortChoice::Com(1), 57600, false},
        {{"zerandi", "--baud=115200", "--port=COM16"}, PortChoice::Com(16), 115200, false},
        {{"zerandi", "--port=/dev/ttyUSB0", "--baud=9600", "b38400"}, usb, 9600, false},
        {{"zerandi", "--baud", "12345"}, PortChoice::Com(1), 9600, true},
        {{"zerandi", "b38400", "--baud=fast"}, PortChoice::Com(1), 38400, true},
        {{"zerandi", "--baud"}, PortChoice::Com(1), 9600, true},
        {{"zerandi", "--port", "COM17"}, PortChoice::Com(1), 9600, true},
        {{"zerandi", "COM2", "--port", "ttyUSB0"}, PortChoice::Com(2), 9600, true},
        {{"zerandi", "--port", "COM3", "--baud", "b19200"}, PortChoice::Com(3), 19200, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const auto choice = StartupLinkChoice::FromArguments(c.arguments);
        EXPECT_EQ(choice.Port(), c.port);
        EXPECT_EQ(choice.BaudRate(), c.baud);
        EXPECT_EQ(choice.HasError(), c.error) << choice.ErrorText().toStdString();
    }
}

TEST(StartupLinkChoiceTest, ErrorNamesTheBadValue) {
    const auto choice = StartupLinkChoice::FromArguments({"zerandi", "--baud", "12345"});
    EXPECT_EQ(choice.ErrorText(),
              "Invalid --baud value \"12345\": give 9600, 19200, 38400, 57600 or 115200.");
}

}  // namespace
}  // namespace zerandi
