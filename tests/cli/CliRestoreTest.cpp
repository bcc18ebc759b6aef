// restore as a script runs it, against a simulated router on a pseudo-terminal: exit status,
// what each part says, and what the router received.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <algorithm>
#include <optional>

#include "cli/CliRun.h"
#include "protocol/RouterCommands.h"
#include "support/FrameFields.h"
#include "support/SimulatedRouter.h"
#include "support/TempFiles.h"

namespace zerandi::test {
namespace {

using namespace command;

class CliRestoreTest : public ::testing::Test {
protected:
    void SetUp() override { environment.insert(QStringLiteral("XDG_DATA_HOME"), dataHome.path()); }
    // With a names store of the test's own, empty to begin with.
    CliRun Run(const QStringList& arguments) const {
        return RunCli(QStringList{"--port", simulator.Port().DevicePath()} + arguments, {},
                      environment);
    }
    // A backup of a fresh simulated router of the model, taken by the program itself.
    QByteArray BackupOf(const std::string& model) {
        EXPECT_TRUE(simulator.Start(model));
        const CliRun run = Run({"backup", "-"});
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        return run.out;
    }
    int Sent(uint8_t code, uint8_t sub) const {
        const std::vector<RequestFrame> frames = simulator.Requests();
        return static_cast<int>(std::count_if(frames.begin(), frames.end(), [&](const auto& f) {
            return CommandOf(f) == code && DataOf(f).at(0) == sub;
        }));
    }
    int TakesSent() const { return Sent(kTake, kSubTake); }
    int ResetsSent() const {
        const std::vector<RequestFrame> frames = simulator.Requests();
        return static_cast<int>(std::count_if(frames.begin(), frames.end(), [](const auto& f) {
            return CommandOf(f) == kResetController;
        }));
    }
    bool AnythingWritten() const {
        const std::vector<RequestFrame> frames = simulator.Requests();
        return std::any_of(frames.begin(), frames.end(), ChangesRouter);
    }

    SimulatedRouter simulator;
    QTemporaryDir dir;
    QTemporaryDir dataHome;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
};

// Each refusal is exit status 2 with nothing written; a file or --only that is wrong is refused
// before the line is opened at all.
TEST_F(CliRestoreTest, ARefusedRestoreWritesNothing) {
    const QByteArray video = BackupOf("QS1210");
    const QByteArray data = BackupOf("QR1207");
    QByteArray foreign = video;
    foreign.replace("zerandi-backup", "salvo-list");
    // Values no control card can take, as a technician might edit them into a backup.
    QByteArray badBaud = video;
    badBaud.replace("\"baudRate\": 9600", "\"baudRate\": 9");
    QByteArray badLevel = video;
    badLevel.replace("\"physicalInputEnd\": 64,", "\"physicalInputEnd\": 60000,");
    QByteArray badRearPort = video;
    badRearPort.replace("\"rearDiagPort\": \"RS232\"", "\"rearDiagPort\": \"RS200\"");
    const struct {
        const char* name;
        QByteArray file;
        QStringList options;
        QString message;
        bool lineOpened;
    } cases[] = {
        {"not JSON", "routing: all\n", {}, "is not a backup Zerandi can restore", false},
        {"truncated", video.left(video.size() / 2), {}, "not a backup", false},
        {"another format", foreign, {}, "not a backup", false},
        {"a bad part", video, {"--only", "routing,routng"}, "\"routng\" is none", false},
        {"an empty part", video, {"--only", "routing,"}, "\"\" is none", false},
        {"a baud rate the card does not have",
         badBaud,
         {"--only", "configuration"},
         "configuration, serial: \"baudRate\" is 9",
         false},
        {"a level beyond the model",
         badLevel,
         {"--only", "configuration"},
         "configuration, level row 1: \"physicalInputEnd\" is 60000: the QS1210 has 64 inputs",
         false},
        {"a rear port the card does not have",
         badRearPort,
         {},
         "\"rearDiagPort\" is \"RS200\"",
         false},
        {"another model", data, {}, "--force restores it all the same", true},
        {"another model forced", data, {"--force"}, "does not fit the QS1210", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(simulator.Start("QS1210"));
        const CliRun run =
            Run(QStringList{"--yes", "restore", WriteTestFile(dir, "b.zbk", c.file)} + c.options);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.err.contains(c.message.toUtf8())) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
        EXPECT_EQ(!simulator.Requests().empty(), c.lineOpened);
        EXPECT_FALSE(AnythingWritten());
    }
}

// The exit status says whether what was written reads back as the backup has it, and every
// part says what became of it.
TEST_F(CliRestoreTest, TheExitStatusAndThePartsSayHowFarTheRestoreGot) {
    const struct {
        const char* name;
        std::optional<zsim::SimFault> fault;
        QString only;
        int exitCode;
        QStringList states;
        int routingDifferences;
        bool yes = false;
        bool resetSent =
            false;  // only after a restore that wrote the configuration and got through
    } cases[] = {
        {"restored", {}, "routing", 0, {"verified"}, 0},
        {"restored with the configuration, --yes",
         {},
         "configuration,routing",
         0,
         {"verified", "verified"},
         0,
         true,
         true},
        {"a take refused after the configuration, --yes",
         zsim::SimFault{.kind = zsim::SimFault::Kind::Refuse, .param = 3, .command = kTake},
         "configuration,routing",
         1,
         {"verified", "failed"},
         2,
         true,
         false},
        {"a take forgotten",
         zsim::SimFault{.kind = zsim::SimFault::Kind::Forget, .command = kTake},
         "routing",
         4,
         {"different"},
         1},
        {"a take refused",
         zsim::SimFault{.kind = zsim::SimFault::Kind::Refuse, .param = 3, .command = kTake},
         "monitors,routing,configuration",
         1,
         {"verified", "failed", "not-written"},
         2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = WriteTestFile(dir, "b.zbk", BackupOf("QS1210"));
        simulator.Router().Update([](zsim::RouterState& s) {
            s.crosspoints[0] = 5;
            s.crosspoints[1] = 6;
            s.cardAddress = 40;
            s.monitors[1] = 9;
        });
        if (c.fault) {
            simulator.Router().InjectFault(*c.fault);
        }
        const QStringList yes = c.yes ? QStringList{"--yes"} : QStringList{};
        const CliRun run =
            Run(QStringList{"--json"} + yes + QStringList{"restore", path, "--only", c.only});
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err.toStdString();
        const QJsonObject result = QJsonDocument::fromJson(run.out).object();
        QStringList states;
        for (const QJsonValue& part : result["parts"].toArray()) {
            states << part["state"].toString();
            if (part["part"] == "routing") {
                const QStringList differences = part["differences"].toVariant().toStringList();
                EXPECT_EQ(differences.filter("routing, output ").size(), c.routingDifferences);
            }
        }
        EXPECT_EQ(states, c.states) << run.out.toStdString();
        EXPECT_EQ(result["reset"], c.resetSent);
        EXPECT_EQ(ResetsSent(), c.resetSent ? 1 : 0);
        // After a reset the routing is read again and the change it made, if any, is told.
        EXPECT_EQ(result.contains("afterReset"), c.resetSent) << run.out.toStdString();
    }
}

// What a technician's restore sends: nothing but reads for a backup equal to the router, one
// take for one changed output, and with --dry-run only reads, whatever differs.
TEST_F(CliRestoreTest, ARestoreSendsOnlyWhatDiffersAndADryRunOnlyReads) {
    const struct {
        const char* name;
        QStringList global;  // options of zerandi-cli itself
        QStringList options;
        bool changeOutput;
        QStringList states;
        int takes;
        QString printed;
    } cases[] = {
        {"an equal backup",
         {"--yes"},
         {},
         false,
         {"unchanged", "not-applicable", "unchanged", "unchanged", "unchanged", "not-applicable"},
         0,
         {}},
        {"one output changed",
         {"--yes"},
         {},
         true,
         {"unchanged", "not-applicable", "unchanged", "verified", "unchanged", "not-applicable"},
         1,
         {}},
        {"a dry run",
         {},
         {"--dry-run"},
         true,
         {"unchanged", "not-applicable", "unchanged", "to-write", "unchanged", "not-applicable"},
         0,
         "routing, output 4: input 9 → input 4"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = WriteTestFile(dir, "b.zbk", BackupOf("QS1210"));
        if (c.changeOutput) {
            simulator.Router().Update([](zsim::RouterState& s) { s.crosspoints[3] = 9; });
        }
        simulator.Router().ClearReceivedFrames();
        const CliRun run =
            Run(QStringList{"--json"} + c.global + QStringList{"restore", path} + c.options);
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        const QJsonObject result = QJsonDocument::fromJson(run.out).object();
        QStringList states;
        QStringList differences;
        for (const QJsonValue& part : result["parts"].toArray()) {
            states << part["state"].toString();
            differences << part["differences"].toVariant().toStringList();
        }
        EXPECT_EQ(states, c.states) << run.out.toStdString();
        EXPECT_EQ(TakesSent(), c.takes);
        EXPECT_EQ(ResetsSent(), 0);
        EXPECT_EQ(AnythingWritten(), c.takes > 0);
        if (!c.printed.isEmpty()) {
            EXPECT_TRUE(differences.contains(c.printed)) << run.out.toStdString();
        }
    }
}

// Names belong to the router: given with --names they go into its backup, and a restore into a
// computer that keeps none for it puts them back, so that a compare straight after finds
// nothing different.
TEST_F(CliRestoreTest, NamesTravelFromABackupToAnEmptyNamesStore) {
    ASSERT_TRUE(simulator.Start("QS1210"));
    const QString names =
        WriteTestFile(dir, "names.csv", "kind,number,name\r\noutput,7,VTR 2\r\ninput,12,CAM 3\r\n");
    const QString path = dir.filePath("named.zbk");
    const CliRun backup = Run({"--names", names, "backup", path});
    ASSERT_EQ(backup.exitCode, 0) << backup.err.toStdString();
    EXPECT_TRUE(ReadFileBytes(path).contains("{\"number\": 7, \"name\": \"VTR 2\"}"))
        << ReadFileBytes(path).toStdString();
    EXPECT_EQ(Run({"compare", path}).exitCode, 4);  // this computer keeps no names for it

    simulator.Router().ClearReceivedFrames();
    const CliRun restore = Run({"--json", "restore", path, "--only", "names"});
    EXPECT_EQ(restore.exitCode, 0) << restore.err.toStdString();
    const QJsonArray parts = QJsonDocument::fromJson(restore.out).object()["parts"].toArray();
    ASSERT_EQ(parts.size(), 1);
    EXPECT_EQ(parts[0]["state"], "verified") << restore.out.toStdString();
    EXPECT_FALSE(AnythingWritten());
    const CliRun compare = Run({"compare", path});
    EXPECT_EQ(compare.exitCode, 0) << compare.out.toStdString();
    // The names are shown as the Routing window keeps them.
    const CliRun read = Run({"read-outputs", "7"});
    EXPECT_TRUE(read.out.contains("VTR 2")) << read.out.toStdString();
}

}  // namespace
}  // namespace zerandi::test
