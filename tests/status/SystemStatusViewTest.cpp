#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <algorithm>

#include "config/RouterModelTables.h"
#include "status/StatusViewFixture.h"
#include "status/SystemStatusView.h"
#include "support/AccessibilityAudit.h"
#include "support/FrameFields.h"

namespace zerandi::test {
namespace {

constexpr uint8_t kStatusCommand = 0x12;
constexpr uint8_t kFanSubCommand = 7;
constexpr uint8_t kStateCommand = 0x06;
constexpr uint8_t kResetCommand = 0x4E;
constexpr int32_t kUnknownModel = 200;
constexpr uint16_t kExtendedCard = 263;

class SystemStatusViewTest : public StatusViewFixture {
protected:
    // A router whose type the document knows, with the status view over it.
    void Start(int32_t productId, const RouterChange& change = {}, uint16_t card = 209) {
        StartRouter("QR1206", change);
        view = new SystemStatusView(*doc);
        Install(view, *view, QStringLiteral("System Status"));
        doc->controlCard.partNumber = card;
        doc->SetProductId(productId);
    }

    template <typename Widget = QWidget>
    Widget& Find(const QString& name) const {
        auto* widget = view->findChild<Widget*>(name);
        if (widget == nullptr) {
            ADD_FAILURE() << "no widget " << name.toStdString();
            throw std::runtime_error("missing widget");
        }
        return *widget;
    }
    bool Shown(const QString& name) const { return Find(name).isVisibleTo(view); }
    bool Checked(const QString& name) const { return Find<QCheckBox>(name).isChecked(); }
    QString Text(const QString& name) const {
        if (auto* label = view->findChild<QLabel*>(name)) {
            return label->text();
        }
        return Find<QAbstractButton>(name).text();
    }
    QStringList Items(const QString& name) const {
        QStringList items;
        auto& list = Find<QListWidget>(name);
        for (int row = 0; row < list.count(); ++row) {
            items << list.item(row)->text();
        }
        return items;
    }
    int ShownColumns(const QString& prefix) const {
        int shown = 0;
        for (int column = 1; column <= 8; ++column) {
            shown += Shown(prefix + QString::number(column)) ? 1 : 0;
        }
        return shown;
    }
    void Click(const QString& name) { QTest::mouseClick(&Find<QPushButton>(name), Qt::LeftButton); }
    int StatusReads() const {
        const auto commands = Commands();
        return static_cast<int>(std::count(commands.begin(), commands.end(), kStatusCommand));
    }

    SystemStatusView* view = nullptr;
};

TEST_F(SystemStatusViewTest, HealthReplyByLengthAndModel) {
    struct Case {
        int32_t productId;
        bool longReply;  // length byte 13; otherwise 11
        bool extendedCard;
        bool verticalRef, aesRef1, aesRef2, video, clock, mhz;
        const char* videoLabel;
    };
    const Case cases[] = {
        {12, false, true, false, true, false, true, true, false, "Video Detect OK"},
        {12, true, true, false, true, false, true, true, false, "Video Detect OK"},
        {28, false, false, true, false, false, true, false, false, "Vert. Ref. 1 Selected"},
        {28, true, true, true, false, false, true, false, false, "Vert. Ref. 1 Selected"},
        {64, true, true, true, true, true, true, true, true, "Vert. Ref. 1 Selected"},
        {64, false, false, true, true, true, true, true, true, "Vert. Ref. 1 Selected"},
        {kUnknownModel, true, true, true, false, false, false, false, false, "Video Detect OK"},
        {kUnknownModel, false, false, true, false, false, false, false, false, "Video Detect OK"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.productId << (c.longReply ? " long" : " short"));
        Start(
            c.productId,
            [&](zsim::RouterState& state) {
                state.health.alarmBytes = c.longReply;
                state.health.trailingBytes = c.longReply ? 1 : 0;
                state.health.auxData = 0x0180;
                state.health.lastTimestamp = 40000;
                state.health.alarms = 0xFF;
                state.health.powerSupplyTemperatures = 0xFF;
            },
            c.extendedCard ? kExtendedCard : 209);
        ASSERT_TRUE(view->Read()) << Messages().join(" | ").toStdString();

        const int supplies = std::clamp(ModelPowerSupplyCount(c.productId), 1, 8);
        EXPECT_EQ(ShownColumns("supplyPresent"), c.productId == kUnknownModel ? 1 : supplies);
        EXPECT_EQ(Shown("temperatureLabel"), c.extendedCard);
        EXPECT_EQ(ShownColumns("temperatureOk"), c.longReply && c.extendedCard ? supplies : 0);
        EXPECT_EQ(Items("alarms").size(), c.longReply ? 7 : 0);
        EXPECT_EQ(Text("auxData"), "Aux data: 00000001 10000000");
        EXPECT_EQ(Text("timestamp"), "Last Timestamp: 40000");
        EXPECT_EQ(Shown("verticalRefLabel"), c.verticalRef);
        EXPECT_EQ(Shown("verticalRef1"), c.verticalRef);
        EXPECT_EQ(Shown("aesRef1"), c.aesRef1);
        EXPECT_EQ(Shown("aesRef2"), c.aesRef2);
        EXPECT_EQ(Shown("video"), c.video);
        EXPECT_EQ(Text("video"), QString::fromLatin1(c.videoLabel));
        EXPECT_EQ(Shown("clock"), c.clock);
        EXPECT_EQ(Shown("twelveMHzClock"), c.mhz);
        EXPECT_EQ(Shown("mtrxReset"), !c.extendedCard);
        EXPECT_TRUE(Shown("diagReset"));
        EXPECT_TRUE(Messages().isEmpty());
    }
}

TEST_F(SystemStatusViewTest, AlarmsFansAndCardState) {
    Start(28, [](zsim::RouterState& state) {
        state.health.alarms = 0xC1;      // alarms 1, 7 and the unnamed eighth
        state.health.cardStatus = 0x4A;  // offline, healthy, in the primary slot
        state.health.cpuReset = 0x40;    // MTRX has reset
        state.fans = {0, 5};
    });
    ASSERT_TRUE(view->Read());
    const QStringList alarms = Items("alarms");
    ASSERT_EQ(alarms.size(), 7);
    EXPECT_EQ(alarms.front(), "Alarm 1: ON - Major");
    EXPECT_EQ(alarms.at(1), "Alarm 2: Off - Minor");
    EXPECT_EQ(alarms.back(), "Alarm 7: ON - Control Card Health");
    EXPECT_EQ(Items("fans"), (QStringList{"Fan 1: OK", "Fan 2: Has Problem"}));
    EXPECT_TRUE(Shown("fans") && Shown("fansLabel"));
    EXPECT_EQ(Find<QComboBox>("cardState").currentText(), "Offline");
    EXPECT_TRUE(Checked("thisCardHealthy") && Checked("inPrimarySlot"));
    EXPECT_FALSE(Checked("otherCardHealthy") || Checked("otherCardActive"));
    EXPECT_TRUE(Checked("mtrxReset"));
    EXPECT_FALSE(Checked("diagReset") || Checked("commReset"));

    // A fan read the router refuses is silent; only the fan list goes.
    simulator.Router().InjectFault({.kind = zsim::SimFault::Kind::Refuse,
                                    .param = 1,
                                    .command = kStatusCommand,
                                    .subCommand = kFanSubCommand});
    ASSERT_TRUE(view->Read());
    EXPECT_FALSE(Shown("fans"));
    EXPECT_FALSE(Shown("fansLabel"));
    EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(SystemStatusViewTest, ShortReplyHidesTemperaturesUntilTheModelIsAppliedAgain) {
    Start(
        28, [](zsim::RouterState& state) { state.health.alarmBytes = false; }, kExtendedCard);
    ASSERT_TRUE(view->Read());
    EXPECT_EQ(ShownColumns("temperatureOk"), 0);
    ChangeRouter([](zsim::RouterState& state) { state.health.alarmBytes = true; });
    ASSERT_TRUE(view->Read());
    EXPECT_EQ(ShownColumns("temperatureOk"), 0) << "a later long reply does not bring them back";

    doc->SetProductId(12);
    EXPECT_GT(ShownColumns("temperatureOk"), 0);
    EXPECT_EQ(Text("video"), "Video Detect OK") << "relabelled for product 12";
}

TEST_F(SystemStatusViewTest, AutoReadReadsEveryTickUntilStopped) {
    Start(28);
    EXPECT_EQ(Text("autoRead"), "Start Auto Read");
    Click("autoRead");
    EXPECT_TRUE(view->IsAutoReading());
    EXPECT_EQ(Text("autoRead"), "STOP");
    EXPECT_FALSE(Find("read").isEnabled());
    ClearRecords();
    for (int tick = 0; tick < 3; ++tick) {
        view->AutoReadTick();
    }
    EXPECT_EQ(StatusReads(), 6) << "health and fans on each of the three ticks";
    EXPECT_TRUE(view->IsTimerRunning());

    Click("autoRead");
    EXPECT_FALSE(view->IsAutoReading());
    EXPECT_FALSE(view->IsTimerRunning());
    EXPECT_EQ(Text("autoRead"), "Auto Upload");
    EXPECT_TRUE(Find("read").isEnabled());
    view->AutoReadTick();
    EXPECT_EQ(StatusReads(), 6);
    Click("autoRead");
    EXPECT_EQ(Text("autoRead"), "STOP");
    EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(SystemStatusViewTest, AutoReadFailureStopsItWithOneMessage) {
    Start(28);
    Click("autoRead");
    simulator.Router().InjectFault(
        {.kind = zsim::SimFault::Kind::Silence, .command = kStatusCommand, .times = 100});
    // A tick that arrives while the failure box is up must not read again.
    int ticksDuringBox = 0;
    ui.OnMessage([&](const ScriptedUiServices::Message&) {
        ++ticksDuringBox;
        view->AutoReadTick();
    });
    ClearRecords();
    view->AutoReadTick();
    EXPECT_EQ(Messages(), QStringList{"Unable to read router status data."});
    EXPECT_EQ(ticksDuringBox, 1);
    EXPECT_EQ(StatusReads(), 1);
    EXPECT_FALSE(view->IsAutoReading());
    EXPECT_FALSE(view->IsTimerRunning());
    EXPECT_EQ(Text("autoRead"), "Auto Upload");
    for (int tick = 0; tick < 5; ++tick) {
        view->AutoReadTick();
    }
    EXPECT_EQ(Messages().size(), 1);
    EXPECT_EQ(StatusReads(), 1);
}

TEST_F(SystemStatusViewTest, NoReadWhileAnotherOperationRunsOrAnotherViewIsActive) {
    Start(28);
    Click("autoRead");
    ClearRecords();
    ui.beginBusy();
    view->AutoReadTick();
    ui.endBusy();
    EXPECT_EQ(StatusReads(), 0) << "the tick is skipped, not queued";
    view->AutoReadTick();
    EXPECT_EQ(StatusReads(), 2);

    ActivateOtherView();
    EXPECT_TRUE(view->IsAutoReading());
    EXPECT_FALSE(view->IsTimerRunning()) << "auto read pauses behind another view";
    ActivateView();
    EXPECT_TRUE(view->IsTimerRunning());
}

TEST_F(SystemStatusViewTest, ControllerStateAndResetFrames) {
    Start(28);
    ClearRecords();
    MenuItem(QStringLiteral("Controller &State/This Controller/Standby")).trigger();
    MenuItem(QStringLiteral("Controller &State/This Controller/Offline")).trigger();
    MenuItem(QStringLiteral("Controller &State/Other Controller/Offline")).trigger();
    MenuItem(QStringLiteral("Controller &State/This Controller/Reset")).trigger();
    ASSERT_TRUE(WaitFor([&] { return simulator.Requests().size() == 4; }));
    const auto frames = simulator.Requests();
    EXPECT_EQ(CommandsOf(frames),
              (std::vector<uint8_t>{kStateCommand, kStateCommand, kStateCommand, kResetCommand}));
    EXPECT_EQ(DataOf(frames[0]), std::vector<uint8_t>{1});
    EXPECT_EQ(DataOf(frames[1]), std::vector<uint8_t>{0});
    EXPECT_EQ(DataOf(frames[2]), std::vector<uint8_t>{2});
    EXPECT_EQ(DataOf(frames[3]), std::vector<uint8_t>{0});
    EXPECT_TRUE(Messages().isEmpty()) << "success says nothing";

    struct Case {
        uint8_t command;
        std::function<void()> act;
        const char* message;
    };
    const Case cases[] = {
        {kStateCommand, [&] { view->SetControllerState(SystemStatusView::kStandbyState); },
         "Unable to set the state of the controller."},
        {kResetCommand, [&] { view->ResetController(); }, "Unable to reset the controller."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        ClearRecords();
        simulator.Router().InjectFault(
            {.kind = zsim::SimFault::Kind::Refuse, .param = 2, .command = c.command});
        c.act();
        ASSERT_EQ(Messages().size(), 2) << Messages().join(" | ").toStdString();
        EXPECT_EQ(Messages().back(), QString::fromLatin1(c.message));
    }
}

TEST_F(SystemStatusViewTest, HiddenWhileTheRouterIsUnknownAndNamedForAssistiveTechnology) {
    Start(64);
    EXPECT_FALSE(child->isHidden());
    const QStringList unnamed = UnnamedInputControls(view);
    EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(", ").toStdString();
    EXPECT_EQ(Find<QCheckBox>("supplyPresent3").accessibleName(), "Power Supply Present 3");
    EXPECT_EQ(Find<QCheckBox>("supplyPresent3").accessibleDescription(), "Read-only");
    QTest::mouseClick(&Find<QCheckBox>("otherCardActive"), Qt::LeftButton);
    EXPECT_FALSE(Checked("otherCardActive")) << "a click does not change a status box";

    doc->SetProductId(RouterConfigDoc::kUnknownProduct);
    EXPECT_TRUE(child->isHidden());
}

}  // namespace
}  // namespace zerandi::test
