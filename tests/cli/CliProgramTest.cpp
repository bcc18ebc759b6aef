#include <gtest/gtest.h>
#include <sys/file.h>

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "cli/CliRun.h"
#include "support/PtyPair.h"

namespace zerandi::test {
namespace {

TEST(CliProgramTest, InfoNamesTheRouterInTextAndJson) {
    const CliRun text = RunCli({"--simulate", "QR1209", "info"});
    ASSERT_EQ(text.exitCode, 0) << text.err.toStdString();
    EXPECT_TRUE(text.out.contains("Model:              QR1209\n")) << text.out.toStdString();
    EXPECT_TRUE(text.out.contains("Control card:       CC0263\n"));

    const CliRun json = RunCli({"--simulate", "QR1209", "--json", "config"});
    ASSERT_EQ(json.exitCode, 0) << json.err.toStdString();
    const QJsonObject config = QJsonDocument::fromJson(json.out).object();
    EXPECT_EQ(config.value("model").toString(), "QR1209");
    EXPECT_EQ(config.value("protocol").toString(), "QR SERIAL");
    const QJsonArray levels = config.value("levels").toArray();
    ASSERT_EQ(levels.size(), 4);
    EXPECT_EQ(levels[1].toObject().value("inputs").toString(), "513-1024");
}

struct ExitCase {
    QStringList arguments;
    int exitCode;
    QByteArray saysOnError;
};

TEST(CliProgramTest, ExitStatusTellsUsageFromAPortThatWouldNotOpen) {
    // A port this test holds, as another program on the line would.
    PtyPair held;
    ASSERT_EQ(flock(held.Slave(), LOCK_EX | LOCK_NB), 0);
    const QByteArray heldBy = "is in use by another program (cli_program_test, process " +
                              QByteArray::number(QCoreApplication::applicationPid()) + ")";
    const std::vector<ExitCase> cases{
        {{"frob"}, 2, "unknown command \"frob\""},
        {{}, 2, "no command given"},
        {{"--baud", "1200", "info"}, 2, "Invalid --baud value \"1200\""},
        {{"--simulate", "QX9999", "info"}, 2, "unknown router model"},
        {{"--port", "/dev/zerandi-no-such-port", "info"}, 3, "could not open"},
        {{"--port", held.SlavePath(), "info"}, 3, heldBy},
    };
    for (const ExitCase& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const CliRun run = RunCli(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_TRUE(run.err.contains(c.saysOnError)) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
}

}  // namespace
}  // namespace zerandi::test
