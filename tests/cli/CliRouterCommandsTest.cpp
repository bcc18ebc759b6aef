#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <algorithm>

#include "cli/CliRun.h"
#include "support/FileSizeLimit.h"
#include "support/SimulatedRouter.h"

namespace zerandi::test {
namespace {

// zerandi-cli against a simulated router on a pseudo-terminal that outlives each run, so
// that one run sees what the one before did.
class CliRouterCommandsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(simulator.Start("QR1206")); }

    CliRun Run(const QStringList& arguments) {
        return RunCli(QStringList{"--port", simulator.Port().DevicePath()} + arguments);
    }

    SimulatedRouter simulator;
    QTemporaryDir dir;
};

TEST_F(CliRouterCommandsTest, ATakeReachesTheRouterReadsBackAndItsLogDecodes) {
    const QString log = dir.filePath("session.log");
    const CliRun take = Run({"--log", log, "take", "9", "3"});
    ASSERT_EQ(take.exitCode, 0) << take.err.toStdString();
    EXPECT_EQ(simulator.SourceOn(3), 9);

    // The log the program wrote reads back with the take named and decoded.
    const CliRun decoded = RunCli({"--json", "decode-log", log});
    ASSERT_EQ(decoded.exitCode, 0) << decoded.err.toStdString();
    const QJsonArray frames =
        QJsonDocument::fromJson(decoded.out).object().value("frames").toArray();
    const auto takeFrame = std::find_if(frames.begin(), frames.end(), [](const QJsonValue& frame) {
        return frame.toObject().value("command").toString() == "Take";
    });
    ASSERT_NE(takeFrame, frames.end());
    EXPECT_EQ(takeFrame->toObject().value("fields").toString(), "take, source 9, destination 3");
    EXPECT_EQ(takeFrame->toObject().value("checksum").toString(), "ok");

    const CliRun read = Run({"--json", "read-outputs", "2", "3"});
    ASSERT_EQ(read.exitCode, 0) << read.err.toStdString();
    const QJsonArray outputs =
        QJsonDocument::fromJson(read.out).object().value("outputs").toArray();
    ASSERT_EQ(outputs.size(), 2);
    EXPECT_EQ(outputs[1].toObject().value("output").toInt(), 3);
    EXPECT_EQ(outputs[1].toObject().value("input").toInt(), 9);
}

// A log named "-" goes to standard output; a log that loses lines (a full disk) fails the
// run that otherwise went well, saying so.
TEST_F(CliRouterCommandsTest, ALogOnStandardOutputOrCutShortIsTold) {
    const CliRun onOutput = Run({"--log", "-", "-q", "take", "9", "3"});
    ASSERT_EQ(onOutput.exitCode, 0) << onOutput.err.toStdString();
    EXPECT_TRUE(onOutput.out.startsWith("Log file started: ")) << onOutput.out.toStdString();
    EXPECT_FALSE(QFile::exists("-"));

    const QString cut = dir.filePath("cut.log");
    CliRun full;
    {
        const FileSizeLimit limit(100);
        full = Run({"--log", cut, "take", "9", "4"});
    }
    EXPECT_EQ(full.exitCode, 1);
    EXPECT_TRUE(
        full.err.contains("the communication log " + cut.toUtf8() + " lost lines: File too large."))
        << full.err.toStdString();
    EXPECT_EQ(simulator.SourceOn(4), 9);
}

TEST_F(CliRouterCommandsTest, ACapturedSalvoRestoresTheRoutingAndVerifiesIt) {
    const QString backup = dir.filePath("backup.svo");
    simulator.Route(2, 7);
    simulator.Route(4, 11);
    ASSERT_EQ(Run({"salvo", "capture", backup, "1", "4"}).exitCode, 0);
    simulator.Route(2, 1);
    simulator.Route(4, 1);

    const CliRun restore = Run({"salvo", "run", backup, "--verify"});
    ASSERT_EQ(restore.exitCode, 0) << restore.err.toStdString();
    EXPECT_TRUE(restore.out.contains("Verified:  yes")) << restore.out.toStdString();
    EXPECT_EQ(simulator.SourceOn(2), 7);
    EXPECT_EQ(simulator.SourceOn(4), 11);
}

TEST_F(CliRouterCommandsTest, AVerifyThatFindsATakeNotMadeNamesTheOutputAndFails) {
    const QString salvo = dir.filePath("two.svo");
    QFile file(salvo);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("5 1\r\n6 2\r\n");
    file.close();
    // The card acknowledges the second take and does not make it.
    simulator.Router().InjectFault(
        {.kind = zsim::SimFault::Kind::Forget, .command = 0x49, .skip = 1});

    const CliRun run = Run({"--json", "salvo", "run", salvo, "--verify"});
    EXPECT_EQ(run.exitCode, 4);
    const QJsonObject result = QJsonDocument::fromJson(run.out).object();
    EXPECT_FALSE(result.value("verified").toBool());
    const QJsonArray mismatches = result.value("mismatches").toArray();
    ASSERT_EQ(mismatches.size(), 1);
    EXPECT_EQ(mismatches[0].toObject().value("output").toInt(), 2);
    EXPECT_EQ(mismatches[0].toObject().value("expected").toInt(), 6);
}

bool AnyFrameOfCommand(const std::vector<std::vector<uint8_t>>& frames, uint8_t command) {
    return std::any_of(frames.begin(), frames.end(), [&](const std::vector<uint8_t>& frame) {
        return frame.size() > 6 && frame[6] == command;
    });
}

TEST_F(CliRouterCommandsTest, FlashRefusesADamagedImageWithNothingSentAndWritesAGoodOne) {
    constexpr uint8_t kEnterFlashWriteMode = 0x40;
    // The matrix and PLD code go together: a CC0209 card asks for both, on a model that
    // takes PLD0 code.
    ASSERT_TRUE(simulator.Start("QR1205"));
    const QString bad = WriteTestFile(dir, "bad.mx", "S0030000FC\nS1060000010203F4\nS9030000FC\n");
    const CliRun refused = Run({"flash", "--mtrx", bad, "--pld0", bad});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_TRUE(refused.err.contains("line 2: its checksum is F4")) << refused.err.toStdString();
    EXPECT_TRUE(refused.err.contains("Nothing has been sent to the router."));
    // The images are checked before the line is even opened.
    EXPECT_TRUE(simulator.Requests().empty());

    const QString good =
        WriteTestFile(dir, "good.mx", "S0030000FC\nS1060000010203F3\nS9030000FC\n");
    const CliRun written = Run({"flash", "--mtrx", good, "--pld0", good});
    EXPECT_EQ(written.exitCode, 0) << written.err.toStdString();
    EXPECT_TRUE(written.err.contains("Flash was successfully written!"));
    // Nobody answered the reset question: no reset, and the way to get one.
    EXPECT_TRUE(written.err.contains("The controller was not reset; use --yes to reset."));
    EXPECT_TRUE(AnyFrameOfCommand(simulator.Requests(), kEnterFlashWriteMode));
    EXPECT_EQ(simulator.Router().Snapshot().resetCount, 0);

    const CliRun reset = Run({"--json", "--yes", "flash", "--mtrx", good, "--pld0", good});
    EXPECT_EQ(reset.exitCode, 0) << reset.err.toStdString();
    EXPECT_EQ(reset.out, "{\"images\":[{\"image\":\"MTRX\",\"file\":\"" + good.toUtf8() +
                             "\",\"records\":3},{\"image\":\"PLD0\",\"file\":\"" + good.toUtf8() +
                             "\",\"records\":3}],\"reset\":true}\n");
    EXPECT_EQ(simulator.Router().Snapshot().resetCount, 1);
}

TEST_F(CliRouterCommandsTest, AStatusReadShowsTheAlarmsAndAControllerStateReachesTheRouter) {
    simulator.Router().Update([](zsim::RouterState& s) { s.health.alarms = 0x01; });
    const CliRun status = Run({"--json", "status"});
    ASSERT_EQ(status.exitCode, 0) << status.err.toStdString();
    const QJsonObject alarm =
        QJsonDocument::fromJson(status.out).object().value("alarms").toArray().at(0).toObject();
    EXPECT_EQ(alarm.value("name"), "Major") << status.out.toStdString();
    EXPECT_EQ(alarm.value("on"), true);

    EXPECT_EQ(Run({"controller", "standby"}).exitCode, 0);
    EXPECT_EQ(simulator.Requests().back().at(6), 0x06);
    EXPECT_EQ(simulator.Requests().back().at(7), 1);
    EXPECT_EQ(Run({"controller", "sideways"}).exitCode, 2);
}

}  // namespace
}  // namespace zerandi::test
