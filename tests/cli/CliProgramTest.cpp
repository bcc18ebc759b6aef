#include <gtest/gtest.h>
#include <sys/file.h>

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include "cli/CliCommand.h"
#include "cli/CliRun.h"
#include "support/PtyPair.h"

namespace zerandi::test {
namespace {

TEST(CliProgramTest, InfoNamesTheRouterInTextAndJson) {
    const CliRun text = RunCli({"--simulate", "QR1209", "info"});
    ASSERT_EQ(text.exitCode, 0) << text.err.toStdString();
    EXPECT_TRUE(QString::fromUtf8(text.out).contains(QRegularExpression("Model: +QR1209\n")))
        << text.out.toStdString();
    EXPECT_TRUE(
        QString::fromUtf8(text.out).contains(QRegularExpression("Control card: +CC0263\n")));

    const CliRun json = RunCli({"--simulate", "QR1209", "--json", "config"});
    ASSERT_EQ(json.exitCode, 0) << json.err.toStdString();
    const QJsonObject config = QJsonDocument::fromJson(json.out).object();
    EXPECT_EQ(config.value("model").toString(), "QR1209");
    EXPECT_EQ(config.value("protocol").toString(), "QR SERIAL");
    const QJsonArray levels = config.value("levels").toArray();
    ASSERT_EQ(levels.size(), 4);
    EXPECT_EQ(levels[1].toObject().value("inputStart").toInt(), 513);
    EXPECT_EQ(levels[1].toObject().value("inputEnd").toInt(), 1024);
}

struct ExitCase {
    QStringList arguments;
    int exitCode;
    QByteArray saysOnError;
};

const QString kNoSuchPort = QStringLiteral("/dev/zerandi-no-such-port");

TEST(CliProgramTest, ExitStatusTellsUsageFromAPortThatWouldNotOpen) {
    // A port this test holds, as another program on the line would.
    PtyPair held;
    ASSERT_EQ(flock(held.Slave(), LOCK_EX | LOCK_NB), 0);
    const QByteArray heldBy = "is in use by another program (cli_pty_tests, process " +
                              QByteArray::number(QCoreApplication::applicationPid()) + ")";
    const std::vector<ExitCase> cases{
        {{"frob"}, 2, "unknown command \"frob\""},
        {{}, 2, "no command given"},
        {{"--baud", "1200", "info"}, 2, "Invalid --baud value \"1200\""},
        {{"--simulate", "QX9999", "info"}, 2, "unknown router model"},
        {{"--port", kNoSuchPort, "info"}, 3, "could not open"},
        {{"--port", held.SlavePath(), "info"}, 3, heldBy},
        // One parser for every command: nothing is opened when the words are wrong.
        {{"--port", kNoSuchPort, "info", "--json"}, 2, "--json is an option of zerandi-cli itself"},
        {{"--port", kNoSuchPort, "take", "1"}, 2, "too few arguments"},
        {{"--port", kNoSuchPort, "take", "1", "2", "3"}, 2, "too many arguments: \"3\""},
        {{"--port", kNoSuchPort, "take", "1", "2", "--bogus"}, 2, "unknown option \"--bogus\""},
        {{"--port", kNoSuchPort, "take", "1", "2", "--timestamp"}, 2, "--timestamp needs a value"},
        {{"--port", kNoSuchPort, "take", "1", "2", "--tri-state=yes"}, 2, "takes no value"},
        {{"--port", kNoSuchPort, "salvo", "frob"}, 2, "salvo: say run, capture"},
        {{"--yes", "--no", "info"}, 2, "--yes and --no cannot both be given"},
        {{"help", "frob"}, 2, "no command \"frob\""},
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

namespace zerandi::test {
namespace {

// Every command's help, asked in both ways, names the command as it is typed and opens no
// port (the one given does not exist).
TEST(CliProgramTest, EveryCommandHasItsOwnHelpAndOpensNothingForIt) {
    for (const CliCommand& command : CliCommands()) {
        SCOPED_TRACE(command.name.toStdString());
        const QStringList words = command.name.split(' ');
        const CliRun asked = RunCli(QStringList{"--port", kNoSuchPort} + words + QStringList{"-h"});
        EXPECT_EQ(asked.exitCode, 0) << asked.err.toStdString();
        EXPECT_TRUE(asked.out.startsWith("Usage: zerandi-cli " + command.name.toUtf8()))
            << asked.out.toStdString();
        EXPECT_EQ(RunCli(QStringList{"help"} + words).out, asked.out);
    }
}

TEST(CliProgramTest, WithJsonAnErrorIsOneJsonDocumentOnStandardError) {
    const CliRun run = RunCli({"--json", "take", "1"});
    EXPECT_EQ(run.exitCode, 2);
    const QJsonObject error = QJsonDocument::fromJson(run.err).object();
    EXPECT_TRUE(error.value("error").toString().contains("too few arguments"))
        << run.err.toStdString();
    EXPECT_EQ(error.value("usage").toString(),
              "zerandi-cli take IN OUT [--timestamp T] [--tri-state] "
              "[--distributed] [--forward]");
}

// A line where nothing answers: the failure names the port and what to check.
TEST(CliProgramTest, ARouterThatDoesNotAnswerIsNamedWithItsPort) {
    PtyPair silent;
    const CliRun run = RunCli({"--port", silent.SlavePath(), "take", "1", "1"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("no answer from the router on " + silent.SlavePath().toUtf8() +
                                 " at 9600 baud: check the cable, the port and the baud rate"))
        << run.err.toStdString();
}

}  // namespace
}  // namespace zerandi::test
