#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <algorithm>

#include "cli/CliRun.h"
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
    uint16_t SourceOn(int output) const {
        return simulator.Router().Snapshot().crosspoints.at(static_cast<size_t>(output - 1));
    }
    void Route(int output, uint16_t source) {
        simulator.Router().Update([&](zsim::RouterState& s) {
            s.crosspoints.at(static_cast<size_t>(output - 1)) = source;
        });
    }

    SimulatedRouter simulator;
    QTemporaryDir dir;
};

TEST_F(CliRouterCommandsTest, ATakeReachesTheRouterReadsBackAndItsLogDecodes) {
    const QString log = dir.filePath("session.log");
    const CliRun take = Run({"--log", log, "take", "9", "3"});
    ASSERT_EQ(take.exitCode, 0) << take.err.toStdString();
    EXPECT_EQ(SourceOn(3), 9);

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

TEST_F(CliRouterCommandsTest, ACapturedSalvoRestoresTheRoutingAndVerifiesIt) {
    const QString backup = dir.filePath("backup.svo");
    Route(2, 7);
    Route(4, 11);
    ASSERT_EQ(Run({"salvo", "capture", backup, "1", "4"}).exitCode, 0);
    Route(2, 1);
    Route(4, 1);

    const CliRun restore = Run({"salvo", "run", backup, "--verify"});
    ASSERT_EQ(restore.exitCode, 0) << restore.err.toStdString();
    EXPECT_TRUE(restore.out.contains("Verified:  yes")) << restore.out.toStdString();
    EXPECT_EQ(SourceOn(2), 7);
    EXPECT_EQ(SourceOn(4), 11);
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
    EXPECT_EQ(run.exitCode, 1);
    const QJsonObject result = QJsonDocument::fromJson(run.out).object();
    EXPECT_FALSE(result.value("verified").toBool());
    const QJsonArray mismatches = result.value("mismatches").toArray();
    ASSERT_EQ(mismatches.size(), 1);
    EXPECT_EQ(mismatches[0].toObject().value("output").toInt(), 2);
    EXPECT_EQ(mismatches[0].toObject().value("expected").toInt(), 6);
}

QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    QFile file(dir.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return file.fileName();
}

bool AnyFrameOfCommand(const std::vector<std::vector<uint8_t>>& frames, uint8_t command) {
    return std::any_of(frames.begin(), frames.end(), [&](const std::vector<uint8_t>& frame) {
        return frame.size() > 6 && frame[6] == command;
    });
}

TEST_F(CliRouterCommandsTest, FlashRefusesADamagedImageWithNothingSentAndWritesAGoodOne) {
    constexpr uint8_t kEnterFlashWriteMode = 0x40;
    // The matrix and PLD code go together: a CC0209 card asks for both.
    const QString bad = WriteFile(dir, "bad.mx", "S0030000FC\nS1060000010203F4\nS9030000FC\n");
    const CliRun refused = Run({"flash", "--mtrx", bad, "--pld0", bad});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains("Line 2: its checksum is F4")) << refused.err.toStdString();
    EXPECT_TRUE(refused.err.contains("Nothing has been sent to the router."));
    EXPECT_FALSE(AnyFrameOfCommand(simulator.Requests(), kEnterFlashWriteMode));

    const QString good = WriteFile(dir, "good.mx", "S0030000FC\nS1060000010203F3\nS9030000FC\n");
    const CliRun written = Run({"flash", "--mtrx", good, "--pld0", good});
    EXPECT_EQ(written.exitCode, 0) << written.err.toStdString();
    EXPECT_TRUE(written.err.contains("Flash was successfully written!"));
    EXPECT_TRUE(written.err.contains("Do you want to reset now? [no]"));
    EXPECT_TRUE(AnyFrameOfCommand(simulator.Requests(), kEnterFlashWriteMode));
}

TEST_F(CliRouterCommandsTest, AStatusReadShowsTheAlarmsAndAControllerStateReachesTheRouter) {
    simulator.Router().Update([](zsim::RouterState& s) { s.health.alarms = 0x01; });
    const CliRun status = Run({"status"});
    ASSERT_EQ(status.exitCode, 0) << status.err.toStdString();
    EXPECT_TRUE(status.out.contains("Alarm 1: ON - Major")) << status.out.toStdString();

    EXPECT_EQ(Run({"controller", "standby"}).exitCode, 0);
    EXPECT_EQ(simulator.Requests().back().at(6), 0x06);
    EXPECT_EQ(simulator.Requests().back().at(7), 1);
    EXPECT_EQ(Run({"controller", "sideways"}).exitCode, 2);
}

}  // namespace
}  // namespace zerandi::test
