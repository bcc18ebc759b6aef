#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <memory>
#include <set>

#include "backup/BackupCompare.h"
#include "backup/BackupFile.h"
#include "backup/BackupReadSequence.h"
#include "config/ConfigWriteSequence.h"
#include "config/RouterConfigDoc.h"
#include "names/RouterNamesStore.h"
#include "serial/QtSerialDevice.h"
#include "services/VersionInfo.h"
#include "support/FakeClock.h"
#include "support/FrameFields.h"
#include "support/ScriptedUiServices.h"
#include "support/SimulatedRouter.h"

namespace zerandi::test {
namespace {

constexpr uint32_t kBaud = 38400;
constexpr uint8_t kCrosspointStatus = 0x4A;
constexpr uint8_t kDataRouterParameters = 0x48;
constexpr uint16_t kTriState = 0xF3F3;

class BackupReadSequenceTest : public ::testing::Test {
protected:
    void SetUp() override {
        ReadVersionInfo();
        savedDataHome_ = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome_.path()));
    }
    void TearDown() override { qputenv("XDG_DATA_HOME", savedDataHome_); }

    void Open(const std::string& model) {
        ASSERT_TRUE(simulator.Start(model));
        doc = std::make_unique<RouterConfigDoc>(ui, std::make_unique<QtSerialDevice>(), clock,
                                                simulator.Port(), kBaud);
    }
    // Counts the steps announced, answering false at `cancelAt`.
    BackupReadSequence::Progress Recorder(const QString& cancelAt = {}) {
        return [this, cancelAt](int done, int total, const QString& step) {
            steps << QStringLiteral("%1/%2 %3").arg(done).arg(total).arg(step);
            return step != cancelAt;
        };
    }

    ScriptedUiServices ui;
    FakeClock clock;
    SimulatedRouter simulator;
    std::unique_ptr<RouterConfigDoc> doc;
    QStringList steps;

private:
    QTemporaryDir dataHome_;
    QByteArray savedDataHome_;
};

TEST_F(BackupReadSequenceTest, ADataRoutersBackupHoldsItsRoutingAndPortTypesReadOnceEach) {
    Open("QR1207");
    simulator.Router().Update([](zsim::RouterState& s) {
        s.crosspoints[2] = kTriState;
        s.crosspoints[4] = 0x4000 | 17;
        s.portTypes[0] = 4;
        s.reverseFlag = 1;
        s.takeDelay = 40;
        s.cardAddress = 12;
    });
    RouterNames names;
    names.SetName(NameKind::Input, 17, QStringLiteral("Edit 1"));
    ASSERT_TRUE(RouterNamesStore::Save(ui, names, 28, 209));

    BackupReadSequence sequence(*doc);
    const std::optional<RouterBackup> backup = sequence.Run(Recorder());
    ASSERT_TRUE(backup) << sequence.Failure().toStdString();
    EXPECT_EQ(sequence.Result(), BackupReadSequence::Outcome::Taken);
    EXPECT_EQ(steps, (QStringList{"0/5 configuration", "1/5 routing", "3/5 port types"}));

    EXPECT_EQ(backup->identity.productId, 28);
    EXPECT_EQ(backup->zerandiVersion, VersionInfo::FileVersion());
    EXPECT_EQ(backup->configuration.cardAddress, 12);
    EXPECT_FALSE(backup->configuration.ethernet);  // a plain card has none
    ASSERT_EQ(backup->routing.size(), 128u);
    EXPECT_TRUE(backup->routing[2].TriState());
    EXPECT_EQ(backup->routing[4], (RoutedSource{17, false, true, false, false}));
    EXPECT_EQ(RoutedSourceWord(backup->routing[4], 28), 0x4000 | 17);
    ASSERT_TRUE(backup->portTypes);
    EXPECT_EQ(backup->portTypes->types.size(), 128u);
    EXPECT_EQ(backup->portTypes->types[0], 4);
    EXPECT_TRUE(backup->portTypes->reverse);
    EXPECT_EQ(backup->portTypes->takeDelay, 40);
    EXPECT_FALSE(backup->scrambleMap);
    EXPECT_EQ(backup->names, names);
    EXPECT_TRUE(BackupFile::FromBytes(BackupFile::ToBytes(*backup)).backup);

    const std::vector<RequestFrame> frames = simulator.Requests();
    EXPECT_EQ(std::set<RequestFrame>(frames.begin(), frames.end()).size(), frames.size());
    EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(BackupReadSequenceTest, AVideoRoutersBackupHoldsMonitorsEthernetAndTheScrambleMapOn) {
    Open("QS1213");
    simulator.Router().Update([](zsim::RouterState& s) {
        s.crosspoints[1023] = 700;
        s.monitors[0] = 9;
        s.monitors[1] = kTriState;
        s.scramble[512 + 2] = 777;
    });
    BackupReadSequence sequence(*doc);
    const std::optional<RouterBackup> backup = sequence.Run(Recorder());
    ASSERT_TRUE(backup) << sequence.Failure().toStdString();
    EXPECT_EQ(steps, (QStringList{"0/5 configuration", "1/5 routing", "2/5 monitors",
                                  "4/5 scramble map"}));
    ASSERT_EQ(backup->routing.size(), 1024u);
    EXPECT_EQ(backup->routing[1023].input, 700);
    ASSERT_EQ(backup->monitors.size(), 8u);
    EXPECT_EQ(backup->monitors[0], 9);
    EXPECT_EQ(backup->monitors[1], std::nullopt);
    ASSERT_TRUE(backup->configuration.ethernet);
    EXPECT_EQ(backup->configuration.ethernet->size(), 2u);
    EXPECT_TRUE(backup->configuration.scrambleMapEnabled);
    ASSERT_TRUE(backup->scrambleMap);
    EXPECT_EQ(backup->scrambleMap->at(512 + 2), 777);
    EXPECT_FALSE(backup->portTypes);

    const std::vector<RequestFrame> frames = simulator.Requests();
    EXPECT_EQ(std::set<RequestFrame>(frames.begin(), frames.end()).size(), frames.size());
}

// The seam a restore builds on: "Write All" of a backup's configuration puts back what was
// changed since.
TEST_F(BackupReadSequenceTest, WritingABackupsConfigurationPutsBackWhatChanged) {
    Open("QS1213");
    const std::optional<RouterBackup> backup = BackupReadSequence(*doc).Run();
    ASSERT_TRUE(backup);
    simulator.Router().Update([](zsim::RouterState& s) {
        s.cardAddress = 40;
        s.serial.baudIndex = 4;
        s.startupLastState = !s.startupLastState;
        s.expansionMode = 0;
        s.expansionIndex = 9;
        s.levels[0].physicalInputEnd = 100;
    });
    BackupReadSequence changed(*doc);
    const std::optional<RouterBackup> changedBackup = changed.Run();
    ASSERT_TRUE(changedBackup);
    // Start-up mode, card address, baud rate, expansion and the first level row.
    EXPECT_EQ(CompareBackups(*backup, *changedBackup).size(), 5u);
    ConfigViewSettings settings = changed.Settings();
    const ConfigFormValues form = PrepareWriteAll(*backup, *doc, settings);
    ASSERT_TRUE(ConfigWriteSequence(*doc, settings, form).Run());

    const std::optional<RouterBackup> restored = BackupReadSequence(*doc).Run();
    ASSERT_TRUE(restored);
    EXPECT_EQ(BackupDifferenceLines(CompareBackups(*backup, *restored)), QStringList{});
}

TEST_F(BackupReadSequenceTest, StopsAtACancelOrAFailedStepAndSaysWhich) {
    Open("QR1207");
    BackupReadSequence cancelled(*doc);
    EXPECT_FALSE(cancelled.Run(Recorder(QStringLiteral("routing"))));
    EXPECT_EQ(cancelled.Result(), BackupReadSequence::Outcome::Cancelled);
    for (const RequestFrame& frame : simulator.Requests()) {
        EXPECT_NE(CommandOf(frame), kCrosspointStatus);
    }

    simulator.Router().InjectFault(
        {.kind = zsim::SimFault::Kind::Refuse, .param = 3, .command = kDataRouterParameters});
    BackupReadSequence failed(*doc);
    EXPECT_FALSE(failed.Run());
    EXPECT_EQ(failed.Result(), BackupReadSequence::Outcome::Failed);
    EXPECT_EQ(failed.Failure(), QStringLiteral("Backup not taken: reading the port types failed."));
    EXPECT_EQ(ui.MessageTexts().back(),
              QStringLiteral("Unable to read the Port Type data from the Router."));
}

}  // namespace
}  // namespace zerandi::test
