#include <gtest/gtest.h>
#include <sys/file.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
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
        // A log or an output file that cannot be written is refused before the port is opened;
        // a log is never a pipe, which would block the program, nor a device.
        {{"--port", kNoSuchPort, "--log", "/dev/null", "info"}, 2, "could not open the log file"},
        {{"--port", kNoSuchPort, "--log", QDir::tempPath(), "info"}, 2, "not a file but a folder"},
        {{"--port", kNoSuchPort, "--log", "/nonexistent/x.log", "info"},
         2,
         "/nonexistent/x.log: No such file or directory"},
        {{"--port", kNoSuchPort, "salvo", "capture", "/nonexistent/x.svo"},
         2,
         "Could not write file. /nonexistent/x.svo: No such file or directory."},
        {{"--port", kNoSuchPort, "backup", QDir::tempPath()}, 2, ": Is a directory."},
        {{"--port", kNoSuchPort, "port-types", "read", "--save", "/nonexistent/x.prt"},
         2,
         "/nonexistent/x.prt: No such file or directory"},
        {{"--port", kNoSuchPort, "scramble", "read", "--save", "/nonexistent/x.scr"},
         2,
         "/nonexistent/x.scr: No such file or directory"},
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

// Data that never reaches standard output (here a full disk) is exit status 1 with the
// reason, whether it is a result, a file sent to "-" or the help, and never blamed on the
// router.
TEST(CliProgramTest, OutputThatNeverGetsOutIsAFailureThatSaysWhy) {
    const QString full = QStringLiteral("/dev/full");
    if (!QFile::exists(full)) {
        GTEST_SKIP() << "no /dev/full here";
    }
    const QStringList router{"--simulate", "QS1214", "-q"};
    const std::vector<QStringList> cases{
        {"--help"},
        {"--version"},
        {"help", "take"},
        router + QStringList{"--json", "info"},
        router + QStringList{"read-outputs", "1", "64"},
        router + QStringList{"backup", "-"},
        router + QStringList{"salvo", "capture", "-", "1", "8"},
    };
    for (const QStringList& arguments : cases) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const CliRun run = RunCliWithOutputTo(arguments, full);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.err.contains("could not write standard output: No space left on device"))
            << run.err.toStdString();
        EXPECT_FALSE(run.err.contains("no answer from the router")) << run.err.toStdString();
    }
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
