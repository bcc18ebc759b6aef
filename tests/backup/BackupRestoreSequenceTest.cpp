#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <functional>
#include <memory>
#include <set>

#include "backup/BackupCompare.h"
#include "backup/BackupRestoreSequence.h"
#include "config/RouterConfigDoc.h"
#include "names/RouterNamesStore.h"
#include "protocol/RouterCommands.h"
#include "serial/QtSerialDevice.h"
#include "support/FakeClock.h"
#include "support/FrameFields.h"
#include "support/ScriptedUiServices.h"
#include "support/SimulatedRouter.h"

namespace zerandi::test {
namespace {

using State = RestorePartOutcome::State;
using Outcome = BackupRestoreSequence::Outcome;
using namespace command;

constexpr uint32_t kRestoreBaud = 38400;
constexpr uint16_t kLocalControl = 0x4000;

// Parts in write order: configuration, port types, scramble map, routing, monitors.
std::vector<State> StatesOf(const BackupRestoreSequence& sequence) {
    std::vector<State> states;
    for (const RestorePartOutcome& outcome : sequence.Parts()) {
        states.push_back(outcome.state);
    }
    return states;
}

size_t TakesIn(const std::vector<RequestFrame>& frames) {
    return static_cast<size_t>(std::count_if(frames.begin(), frames.end(), [](const auto& frame) {
        return CommandOf(frame) == kTake && DataOf(frame).at(0) == kSubTake;
    }));
}

// The commands of the requests that change the router: takes and monitors, the reset, and the
// writes of settings and tables.
std::vector<uint8_t> WritesIn(const std::vector<RequestFrame>& frames) {
    std::vector<uint8_t> writes;
    for (const RequestFrame& frame : frames) {
        if (ChangesRouter(frame)) {
            writes.push_back(CommandOf(frame));
        }
    }
    return writes;
}

// Everything a restore writes, changed away from what the backup holds.
void ChangeEverything(zsim::RouterState& s) {
    s.crosspoints.front() = 7;
    s.crosspoints.back() = 2;
    s.crosspoints[1] = 9;
    s.cardAddress = 40;
    s.serial.baudIndex = s.serial.baudIndex2 = 4;
    s.startupLastState = !s.startupLastState;
    s.levels[0].physicalInputEnd = 10;
    s.scramble[3] = 1234;
    s.takeDelay = 9;
    if (!s.portTypes.empty()) {
        s.portTypes[0] = 5;
    }
    if (!s.monitors.empty()) {
        s.monitors[0] = 3;
    }
}

class BackupRestoreSequenceTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedDataHome_ = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome_.path()));
    }
    void TearDown() override { qputenv("XDG_DATA_HOME", savedDataHome_); }

    void Open(const std::string& model) {
        ASSERT_TRUE(simulator.Start(model));
        doc = std::make_unique<RouterConfigDoc>(ui, std::make_unique<QtSerialDevice>(), clock,
                                                simulator.Port(), kRestoreBaud);
    }
    RouterBackup TakeBackup() {
        std::optional<RouterBackup> backup = BackupReadSequence(*doc).Run();
        EXPECT_TRUE(backup);
        return backup.value_or(RouterBackup{});
    }
    // What the router received while `run` ran.
    std::vector<RequestFrame> Received(const std::function<void()>& run) {
        simulator.Router().ClearReceivedFrames();
        run();
        return simulator.Requests();
    }

    ScriptedUiServices ui;
    FakeClock clock;
    SimulatedRouter simulator;
    std::unique_ptr<RouterConfigDoc> doc;

private:
    QTemporaryDir dataHome_;
    QByteArray savedDataHome_;
};

// Back up, change every part on the router and lose the names kept on this computer, restore: a
// fresh backup is the same again, names and all, and only the outputs that had changed were
// taken.
TEST_F(BackupRestoreSequenceTest, RoundTripsOnAVideoADataAndTheBiggestRouter) {
    const struct {
        std::string model;
        bool scrambleOn;
        std::vector<State> states;
    } cases[] = {
        {"QS1210",
         false,
         {State::Verified, State::NotApplicable, State::NotApplicable, State::Verified,
          State::Verified, State::Verified}},
        {"QR1207",
         false,
         {State::Verified, State::Verified, State::NotApplicable, State::Verified,
          State::NotApplicable, State::Verified}},
        {"QS1214",
         true,
         {State::Verified, State::NotApplicable, State::Verified, State::Verified, State::Verified,
          State::Verified}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.model);
        Open(c.model);
        simulator.Router().Update([&c](zsim::RouterState& s) {
            s.scrambleEnabled = c.scrambleOn;
            s.crosspoints.front() = s.dataRouter ? kLocalControl | 3 : 3;
        });
        TakeBackup();  // the router known, its names can be kept
        RouterNames names;
        names.SetName(NameKind::Output, 1, QStringLiteral("VTR 2"));
        names.SetName(NameKind::Input, 3, QStringLiteral("CAM 3"));
        const QString namesFile =
            RouterNamesStore::PathFor(doc->ProductId(), doc->controlCard.partNumber);
        ASSERT_TRUE(
            RouterNamesStore::Save(ui, names, doc->ProductId(), doc->controlCard.partNumber));
        const RouterBackup backup = TakeBackup();
        ASSERT_EQ(backup.names, names);
        simulator.Router().Update(ChangeEverything);
        ASSERT_TRUE(QFile::remove(namesFile));
        ui.ClearMessages();

        BackupRestoreSequence restore(*doc, backup, AllBackupParts());
        const std::vector<RequestFrame> frames = Received([&] { restore.Run({}, false); });
        EXPECT_EQ(restore.Result(), Outcome::Restored);
        EXPECT_EQ(StatesOf(restore), c.states) << restore.SummaryLines().join('\n').toStdString();
        EXPECT_EQ(TakesIn(frames), 3u);
        EXPECT_TRUE(restore.ConfigurationWritten());
        // Going back to the backup's baud rate was told before it was written.
        const std::vector<QString> told = ui.MessageTexts();
        EXPECT_EQ(told.size(), 1u);
        EXPECT_TRUE(told.front().contains("baud rate: 115200 → 9600"))
            << told.front().toStdString();
        EXPECT_EQ(BackupDifferenceLines(CompareBackups(backup, TakeBackup())), QStringList{});
        EXPECT_TRUE(QFile::exists(namesFile));
    }
}

// A restore reads the router first and writes only what differs: a backup equal to the router
// sends nothing but reads and asks for no reset; one changed setting or output sends that
// alone, and it is read back.
TEST_F(BackupRestoreSequenceTest, WritesOnlyWhatDiffersFromTheRouter) {
    const struct {
        const char* name;
        std::string model;
        std::function<void(zsim::RouterState&)> change;
        std::vector<uint8_t> writes;
        std::vector<State> states;
        bool resetDue;
    } cases[] = {
        {"an equal backup of the extended card",
         "QS1214",
         [](zsim::RouterState&) {},
         {},
         {State::Unchanged, State::NotApplicable, State::Unchanged, State::Unchanged,
          State::Unchanged, State::NotApplicable},
         false},
        {"one output changed",
         "QS1210",
         [](zsim::RouterState& s) { s.crosspoints[5] = 9; },
         {kTake},
         {State::Unchanged, State::NotApplicable, State::Unchanged, State::Verified,
          State::Unchanged, State::NotApplicable},
         false},
        {"the card address changed",
         "QS1210",
         [](zsim::RouterState& s) { s.cardAddress = 40; },
         {kCardAddress},
         {State::Verified, State::NotApplicable, State::Unchanged, State::Unchanged,
          State::Unchanged, State::NotApplicable},
         true},
        {"one port type changed",
         "QR1207",
         [](zsim::RouterState& s) { s.portTypes[7] = 2; },
         {kDataRouterParameters},
         {State::Unchanged, State::Verified, State::NotApplicable, State::Unchanged,
          State::NotApplicable, State::NotApplicable},
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Open(c.model);
        const RouterBackup backup = TakeBackup();
        simulator.Router().Update(c.change);
        ui.ClearMessages();
        BackupRestoreSequence restore(*doc, backup, AllBackupParts());
        const std::vector<RequestFrame> frames = Received([&] { restore.Run({}, false); });
        EXPECT_EQ(restore.Result(), Outcome::Restored);
        EXPECT_EQ(WritesIn(frames), c.writes);
        EXPECT_EQ(StatesOf(restore), c.states) << restore.SummaryLines().join('\n').toStdString();
        EXPECT_EQ(restore.ResetDue(), c.resetDue);
        EXPECT_TRUE(ui.MessageTexts().empty());
        // What was written is read back: the routing is read after the last write.
        const auto lastWrite = std::find_if(frames.rbegin(), frames.rend(), ChangesRouter);
        if (lastWrite != frames.rend()) {
            EXPECT_TRUE(std::any_of(frames.rbegin(), lastWrite, [](const auto& f) {
                return CommandOf(f) == kCrosspointStatus;
            }));
        }
    }
}

// A preview reads the router and lists what would be written, sending nothing but reads.
TEST_F(BackupRestoreSequenceTest, APreviewListsTheWritesAndSendsOnlyReads) {
    Open("QS1210");
    const RouterBackup backup = TakeBackup();
    simulator.Router().Update([](zsim::RouterState& s) {
        s.crosspoints[2] = 9;
        s.cardAddress = 40;
    });
    BackupRestoreSequence restore(*doc, backup, AllBackupParts());
    const std::vector<RequestFrame> frames = Received([&] { restore.Preview({}, false); });
    EXPECT_EQ(restore.Result(), Outcome::Previewed);
    EXPECT_EQ(WritesIn(frames), std::vector<uint8_t>{});
    const QStringList lines = restore.PlannedLines();
    EXPECT_TRUE(lines.contains("configuration: would write the card address"))
        << lines.join('\n').toStdString();
    EXPECT_TRUE(lines.contains(QStringLiteral("configuration, card address: 40 → %1")
                                   .arg(backup.configuration.cardAddress)));
    EXPECT_TRUE(lines.contains("routing: would take 1 output(s) in one take list"));
    EXPECT_TRUE(lines.contains(QStringLiteral("routing, output 3: input 9 → input %1")
                                   .arg(backup.routing[2].input.value())));
    EXPECT_TRUE(lines.contains("monitors: already as the backup has it; nothing to write"));
    EXPECT_TRUE(lines.contains("names: not in the backup"));
}

// A data router's port type that no type has is put back as it was, and an output backed up
// as tri-state without flags reads back as restored.
TEST_F(BackupRestoreSequenceTest, ADataRoutersUnknownPortTypeAndAFlaglessTriStateComeBack) {
    Open("QR1207");
    simulator.Router().Update([](zsim::RouterState& s) { s.portTypes[4] = 9; });
    RouterBackup backup = TakeBackup();
    backup.routing[1] = RoutedSource{};
    simulator.Router().Update([](zsim::RouterState& s) { s.portTypes[4] = 2; });
    BackupRestoreSequence restore(*doc, backup, {BackupPart::PortTypes, BackupPart::Routing});
    EXPECT_EQ(restore.Run({}, false), Outcome::Restored)
        << restore.SummaryLines().join('\n').toStdString();
    EXPECT_EQ(StatesOf(restore), (std::vector<State>{State::Verified, State::Verified}));
    EXPECT_EQ(simulator.Router().Snapshot().portTypes[4], 9);
}

TEST_F(BackupRestoreSequenceTest, RestoringOnlyTheRoutingLeavesTheRestAlone) {
    Open("QS1210");
    const RouterBackup backup = TakeBackup();
    simulator.Router().Update(ChangeEverything);
    const zsim::RouterState changed = simulator.Router().Snapshot();

    BackupRestoreSequence restore(*doc, backup, {BackupPart::Routing});
    EXPECT_EQ(restore.Run({}, false), Outcome::Restored);
    EXPECT_EQ(StatesOf(restore), std::vector<State>{State::Verified});
    EXPECT_FALSE(restore.ConfigurationWritten());
    const zsim::RouterState now = simulator.Router().Snapshot();
    EXPECT_EQ(now.cardAddress, changed.cardAddress);
    EXPECT_EQ(now.monitors, changed.monitors);
    EXPECT_EQ(now.serial.baudIndex, changed.serial.baudIndex);
    std::set<QString> partsDiffering;
    for (const BackupDifference& difference : CompareBackups(backup, TakeBackup())) {
        partsDiffering.insert(difference.part);
    }
    EXPECT_EQ(partsDiffering, (std::set<QString>{"configuration", "scramble map", "monitors"}));
    EXPECT_EQ(now.crosspoints.back(), backup.routing.back().input.value());
}

// A backup of another router is refused with nothing but the reads of a backup sent; once
// confirmed, one of the same model is restored, and one that does not fit still is not.
TEST_F(BackupRestoreSequenceTest, AnotherRouterIsRefusedUntilConfirmedAndOnlyWhereItFits) {
    Open("QR1207");
    const RouterBackup dataBackup = TakeBackup();
    Open("QS1210");
    RouterBackup otherCard = TakeBackup();
    otherCard.identity.controlCard.partNumber = 353;
    otherCard.names.SetName(NameKind::Output, 2, QStringLiteral("PGM"));
    simulator.Router().Update(ChangeEverything);
    const std::vector<RequestFrame> backupReads = Received([&] { TakeBackup(); });

    BackupRestoreSequence card(*doc, otherCard, AllBackupParts());
    EXPECT_EQ(Received([&] { card.Run({}, false); }), backupReads);
    EXPECT_EQ(card.Result(), Outcome::Refused);
    EXPECT_EQ(card.OtherRouterText(),
              "The backup was taken from a QS1210 with control card CC0353; the router "
              "connected is a QS1210 with control card CC0209.");
    EXPECT_EQ(StatesOf(card),
              (std::vector<State>{State::NotWritten, State::NotApplicable, State::NotWritten,
                                  State::NotWritten, State::NotWritten, State::NotWritten}));
    EXPECT_TRUE(RouterNamesStore::Load(ui, doc->ProductId(), 209).IsEmpty());
    EXPECT_EQ(card.Run({}, true), Outcome::Restored);
    // The names of the swapped card are kept for the card connected now.
    EXPECT_EQ(RouterNamesStore::Load(ui, doc->ProductId(), 209), otherCard.names);

    BackupRestoreSequence model(*doc, dataBackup, AllBackupParts());
    EXPECT_EQ(Received([&] { model.Run({}, true); }), backupReads);
    EXPECT_EQ(model.Result(), Outcome::Refused);
    EXPECT_TRUE(model.OtherRouterText().startsWith(
        "The backup of the QR1207 does not fit the QS1210 connected: "))
        << model.OtherRouterText().toStdString();
    EXPECT_TRUE(model.SummaryLines().front().endsWith("Nothing was written."));
}

// A step that fails or a cancel stops the writing; what was written is still read back, and
// the rest says it was not written.
TEST_F(BackupRestoreSequenceTest, AStopMidwaySaysWhatWasWrittenAndIsNoSuccess) {
    const zsim::SimFault takeRefused{
        .kind = zsim::SimFault::Kind::Refuse, .param = 3, .command = kTake, .skip = 1};
    const zsim::SimFault takeForgotten{
        .kind = zsim::SimFault::Kind::Forget, .command = kTake, .subCommand = kSubTake};
    const zsim::SimFault partitionRefused{.kind = zsim::SimFault::Kind::Refuse,
                                          .param = 3,
                                          .command = kPartitionParameters,
                                          .subCommand = kSubWrite};
    const struct {
        const char* name;
        std::optional<zsim::SimFault> fault;
        QString cancelAt;
        Outcome outcome;
        std::vector<State> states;  // configuration, routing, monitors
        size_t routingDifferences;
        bool configurationWritten;
        QString firstLine;
        bool resetDue;  // only after a restore that neither failed nor was cancelled
    } cases[] = {
        {"a take refused",
         takeRefused,
         {},
         Outcome::Failed,
         {State::Verified, State::Failed, State::NotWritten},
         2,
         true,
         "The restore stopped: writing the routing failed.",
         false},
        {"cancelled before the routing",
         {},
         "routing",
         Outcome::Cancelled,
         {State::Verified, State::NotWritten, State::NotWritten},
         0,
         true,
         "Cancelled before the routing was written.",
         false},
        {"a take the router forgot",
         takeForgotten,
         {},
         Outcome::Different,
         {State::Verified, State::Different, State::Verified},
         1,
         true,
         "configuration: written and verified",
         true},
        {"the partition refused",
         partitionRefused,
         {},
         Outcome::Failed,
         {State::Failed, State::NotWritten, State::NotWritten},
         0,
         false,
         "The restore stopped: writing the configuration failed.",
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Open("QS1210");
        const RouterBackup backup = TakeBackup();
        simulator.Router().Update(ChangeEverything);
        if (c.fault) {
            simulator.Router().InjectFault(*c.fault);
        }
        BackupRestoreSequence restore(
            *doc, backup, {BackupPart::Monitors, BackupPart::Routing, BackupPart::Configuration});
        const auto progress = [&c](int, int, const QString& step) { return step != c.cancelAt; };
        EXPECT_EQ(restore.Run(progress, false), c.outcome);
        const QStringList lines = restore.SummaryLines();
        EXPECT_EQ(StatesOf(restore), c.states) << lines.join('\n').toStdString();
        EXPECT_EQ(lines.front(), c.firstLine);
        EXPECT_EQ(restore.ConfigurationWritten(), c.configurationWritten);
        EXPECT_EQ(restore.ResetDue(), c.resetDue);
        const QStringList& routing = restore.Parts().at(1).differences;
        EXPECT_EQ(routing.filter("routing, output").size(), c.routingDifferences);
    }
}

}  // namespace
}  // namespace zerandi::test
