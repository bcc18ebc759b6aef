#include <gtest/gtest.h>

#include "app/StartupCommandLine.h"
#include "support/QtPrinters.h"

namespace zerandi {
namespace {

using Action = StartupCommandLine::Action;

TEST(StartupCommandLineTest, ReadsWhatTheCommandLineAsksFor) {
    struct Case {
        QStringList arguments;  // after the program name
        Action action;
        QString simulatedModel;  // empty: no simulator
        PortChoice port;
        uint32_t baud;
        bool malformed = false;  // a --port or --baud value that cannot be used
    };
    const Case cases[] = {
        {{}, Action::Run, "", PortChoice::Com(1), 9600},
        {{"/COM3", "/b38400"}, Action::Run, "", PortChoice::Com(3), 38400},
        {{"--simulate"}, Action::Run, "QR1209", PortChoice::Com(1), 9600},
        {{"--simulate", "QR1206"}, Action::Run, "QR1206", PortChoice::Com(1), 9600},
        {{"--simulate", "--baud", "19200"}, Action::Run, "QR1209", PortChoice::Com(1), 19200},
        {{"--simulate=QS1213"}, Action::Run, "QS1213", PortChoice::Com(1), 9600},
        {{"--port", "/dev/ttyUSB0", "--simulate", "QR1207"},
         Action::Run,
         "QR1207",
         PortChoice::Device("/dev/ttyUSB0"),
         9600},
        {{"--help"}, Action::ShowHelp, "", PortChoice::Com(1), 9600},
        {{"--simulate", "-h"}, Action::ShowHelp, "QR1209", PortChoice::Com(1), 9600},
        {{"--version"}, Action::ShowVersion, "", PortChoice::Com(1), 9600},
        {{"--baud", "4800"}, Action::Fail, "", PortChoice::Com(1), 9600, true},
        {{"--port", "COM99", "--help"}, Action::ShowHelp, "", PortChoice::Com(1), 9600, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const auto line = StartupCommandLine::Parse(QStringList{"zerandi"} + c.arguments);
        EXPECT_EQ(line.ToDo(), c.action);
        EXPECT_EQ(line.Simulate(), !c.simulatedModel.isEmpty());
        EXPECT_EQ(line.SimulatedModel(), c.simulatedModel);
        EXPECT_EQ(line.LinkChoice().Port(), c.port);
        EXPECT_EQ(line.LinkChoice().BaudRate(), c.baud);
        EXPECT_EQ(!line.ErrorText().isEmpty(), c.malformed);
    }
}

TEST(StartupCommandLineTest, UsageNamesEveryOption) {
    const QString usage = StartupCommandLine::UsageText("zerandi");
    for (const char* option :
         {"--port", "--baud", "--simulate", "--help", "--version", "COM2", "b115200", "QR1209"}) {
        EXPECT_TRUE(usage.contains(QLatin1String(option))) << option;
    }
}

}  // namespace
}  // namespace zerandi
