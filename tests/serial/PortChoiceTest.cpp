#include <gtest/gtest.h>

#include "serial/PortChoice.h"

namespace zerandi {
namespace {

TEST(PortChoiceTest, NamesTheDeviceAndTheLogLine) {
    struct Case {
        PortChoice port;
        bool none;
        int comNumber;
        QString systemLocation;
        QString logName;
    };
    const Case cases[] = {
        {PortChoice::Com(1), false, 1, "/dev/ttyS0", "COMM1"},
        {PortChoice::Com(3), false, 3, "/dev/ttyS2", "COMM3"},
        {PortChoice::Com(16), false, 16, "/dev/ttyS15", "COMM16"},
        {PortChoice::Com(0), true, 0, "", ""},
        {PortChoice::Com(17), true, 0, "", ""},
        {PortChoice::Device("/dev/ttyUSB0"), false, 0, "/dev/ttyUSB0", "/dev/ttyUSB0"},
        {PortChoice::Device(""), true, 0, "", ""},
        {PortChoice(), true, 0, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.logName.toStdString());
        EXPECT_EQ(c.port.IsNone(), c.none);
        EXPECT_EQ(c.port.ComNumber(), c.comNumber);
        EXPECT_EQ(c.port.SystemLocation(), c.systemLocation);
        EXPECT_EQ(c.port.LogName(), c.logName);
    }
}

}  // namespace
}  // namespace zerandi
