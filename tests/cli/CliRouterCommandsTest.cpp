#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

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

TEST_F(CliRouterCommandsTest, ATakeReachesTheRouterAndReadsBack) {
    const CliRun take = Run({"take", "9", "3"});
    ASSERT_EQ(take.exitCode, 0) << take.err.toStdString();
    EXPECT_EQ(SourceOn(3), 9);

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

}  // namespace
}  // namespace zerandi::test
