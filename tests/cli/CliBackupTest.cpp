// backup and compare as a script runs them, against a simulated router on a pseudo-terminal:
// exit status, output, and what the router received.
#include <gtest/gtest.h>
#include <signal.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include "backup/BackupFile.h"
#include "cli/CliRun.h"
#include "support/SimulatedRouter.h"

namespace zerandi::test {
namespace {

class CliBackupTest : public ::testing::Test {
protected:
    CliRun Run(const QStringList& arguments, const QByteArray& input = {}) const {
        return RunCli(QStringList{"--port", simulator.Port().DevicePath()} + arguments, input);
    }
    // Takes a backup of the simulated router into `name`; its path.
    QString Backup(const QString& name) const {
        const QString path = dir.filePath(name);
        const CliRun run = Run({"backup", path});
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        return path;
    }
    static QStringList Lines(const QByteArray& out) {
        return QString::fromUtf8(out).split('\n', Qt::SkipEmptyParts);
    }

    SimulatedRouter simulator;
    QTemporaryDir dir;
};

TEST_F(CliBackupTest, ABackupToAFileOrStandardOutputComparesTheSameWithTheRouter) {
    ASSERT_TRUE(simulator.Start("QR1207"));
    const QString path = Backup("router.zbk");
    const CliRun toFile = Run({"compare", path});
    EXPECT_EQ(toFile.exitCode, 0) << toFile.err.toStdString();
    EXPECT_TRUE(toFile.out.isEmpty()) << toFile.out.toStdString();

    const CliRun toStdout = Run({"backup", "-"});
    ASSERT_EQ(toStdout.exitCode, 0) << toStdout.err.toStdString();
    // Standard output carries the backup file and nothing else.
    EXPECT_TRUE(BackupFile::FromBytes(toStdout.out).backup.has_value());
    const CliRun fromStdin = Run({"compare", "-"}, toStdout.out);
    EXPECT_EQ(fromStdin.exitCode, 0) << fromStdin.err.toStdString();
    EXPECT_TRUE(fromStdin.out.isEmpty()) << fromStdin.out.toStdString();
}

TEST_F(CliBackupTest, ACompareNamesTheOutputAndThePortThatChanged) {
    ASSERT_TRUE(simulator.Start("QR1207"));
    const QString before = Backup("before.zbk");
    const uint16_t source = simulator.SourceOn(5);
    simulator.Route(5, source == 7 ? 8 : 7);
    simulator.Router().Update([](zsim::RouterState& s) { s.portTypes.at(2) ^= 1; });

    const CliRun live = Run({"compare", before});
    EXPECT_EQ(live.exitCode, 4) << live.err.toStdString();
    const QStringList lines = Lines(live.out);
    ASSERT_EQ(lines.size(), 2) << live.out.toStdString();
    EXPECT_TRUE(lines[0].startsWith("routing, output 5: input ")) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].startsWith("port types, port 3: ")) << lines[1].toStdString();

    // Two files need no router: the port named is never opened.
    const QString after = Backup("after.zbk");
    const QStringList noRouter{"--port", "/nonexistent/ttyUSB9"};
    const CliRun files = RunCli(noRouter + QStringList{"--json", "compare", before, after});
    EXPECT_EQ(files.exitCode, 4) << files.err.toStdString();
    const QJsonObject result = QJsonDocument::fromJson(files.out).object();
    EXPECT_FALSE(result["same"].toBool());
    const QJsonArray differences = result["differences"].toArray();
    ASSERT_EQ(differences.size(), 2) << files.out.toStdString();
    EXPECT_EQ(differences[0]["part"].toString(), "routing");
    EXPECT_EQ(differences[0]["item"].toString(), "output 5");
    EXPECT_EQ(differences[1]["item"].toString(), "port 3");
    const CliRun same = RunCli(noRouter + QStringList{"compare", after, after});
    EXPECT_EQ(same.exitCode, 0) << same.err.toStdString();
    EXPECT_TRUE(same.out.isEmpty());
}

TEST_F(CliBackupTest, ABadFileIsRefusedBeforeAnythingIsSent) {
    ASSERT_TRUE(simulator.Start("QS1210"));
    const QString good = Backup("good.zbk");
    QFile file(good);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const QString truncated = WriteTestFile(dir, "cut.zbk", bytes.left(bytes.size() / 2));
    const QString foreign = WriteTestFile(dir, "ports.zbk", QByteArray(256, '\1'));
    const QString otherFormat = WriteTestFile(
        dir, "other.zbk", QByteArray(bytes).replace("zerandi-backup", "router-backup"));
    const struct {
        QStringList arguments;
        QByteArray input;
        QByteArray message;
    } cases[] = {
        {{"compare", truncated}, {}, "cut.zbk is not a backup Zerandi can read"},
        {{"compare", foreign}, {}, "ports.zbk is not a backup Zerandi can read"},
        {{"compare", otherFormat}, {}, "other.zbk is not a backup Zerandi can read"},
        {{"compare", "-"}, bytes.left(100), "standard input is not a backup Zerandi can read"},
        {{"compare", good, truncated}, {}, "cut.zbk is not a backup Zerandi can read"},
        {{"compare", good, "-"}, bytes, "only the first file may be standard input"},
        {{"compare", "/nonexistent/x.zbk"}, {}, "/nonexistent/x.zbk"},
        {{"backup", "/nonexistent/x.zbk"}, {}, "/nonexistent/x.zbk: No such file or directory"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        simulator.Router().ClearReceivedFrames();
        const CliRun run = Run(c.arguments, c.input);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.err.contains(c.message)) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
        EXPECT_TRUE(simulator.Requests().empty());
    }
}

TEST_F(CliBackupTest, TheBiggestModelIsBackedUpWhole) {
    ASSERT_TRUE(simulator.Start("QS1214"));
    const QString path = dir.filePath("big.zbk");
    const CliRun run = Run({"--json", "backup", path});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject result = QJsonDocument::fromJson(run.out).object();
    EXPECT_EQ(result["model"].toString(), "QS1214");
    EXPECT_EQ(result["outputs"].toInt(), 2048);
    EXPECT_EQ(result["parts"].toArray(),
              QJsonArray({"configuration", "scramble-map", "routing", "monitors"}));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const BackupFile::Parsed parsed = BackupFile::FromBytes(file.readAll());
    ASSERT_TRUE(parsed.backup) << parsed.fault.toStdString();
    EXPECT_EQ(parsed.backup->routing.size(), 2048U);
    ASSERT_TRUE(parsed.backup->scrambleMap);
    EXPECT_EQ(*parsed.backup->scrambleMap,
              ScrambleTableWords(simulator.Router().Snapshot().scramble));
}

TEST_F(CliBackupTest, CtrlCStopsTheBackupBetweenTwoStepsAndNothingIsSaved) {
    constexpr uint32_t kSlowBaud = 9600;
    constexpr int kLimitMs = 60000;
    ASSERT_TRUE(simulator.Start("QS1214"));
    simulator.Pty().SetPacingBaud(kSlowBaud);
    const QString path = dir.filePath("stopped.zbk");
    QProcess process;
    process.start(QStringLiteral(ZERANDI_CLI_PATH),
                  {"--port", simulator.Port().DevicePath(), "backup", path});
    ASSERT_TRUE(process.waitForStarted());
    QDeadlineTimer deadline(kLimitMs);
    while (simulator.Requests().empty() && !deadline.hasExpired()) {
        QThread::msleep(5);
    }
    ASSERT_EQ(::kill(static_cast<pid_t>(process.processId()), SIGINT), 0);
    ASSERT_TRUE(process.waitForFinished(kLimitMs));

    EXPECT_EQ(process.exitCode(), 130);
    EXPECT_TRUE(process.readAllStandardError().contains("nothing was saved."));
    EXPECT_FALSE(QFile::exists(path));
}

}  // namespace
}  // namespace zerandi::test
