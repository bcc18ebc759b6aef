#include <gtest/gtest.h>

#include <QCheckBox>
#include <QTest>

#include "connect/ConnectViewFixture.h"
#include "support/AccessibilityAudit.h"
#include "support/WireCodes.h"

namespace zerandi::test {
namespace {

using RouterMonitorsFormViewTest = ConnectViewFixture;

TEST_F(RouterMonitorsFormViewTest, ShownOnlyForModelsWithMonitorOutputs) {
    const struct {
        const char* model;
        bool shown;
    } cases[] = {{"QS1215", true}, {"QR1209", true}, {"QR1207", false}, {"QR1206", false}};
    for (const auto& c : cases) {
        StartRouter(c.model);
        EXPECT_EQ(ChildShown(monitorsView), c.shown) << c.model;
    }
    StartRouter("QS1215");
    EXPECT_EQ(UnnamedInputControls(monitorsView), QStringList{});
    ForgetRouter();
    EXPECT_FALSE(ChildShown(monitorsView));
}

TEST_F(RouterMonitorsFormViewTest, ReadListsEveryMonitorWithNoneForADisconnectedOne) {
    StartRouter("QS1215", [](zsim::RouterState& state) { state.monitors = {200, kTri}; });
    Click("readMonitors", monitorsView);
    EXPECT_EQ(Rows("monitors", monitorsView), (QStringList{"\t200\t->\t1", "\tnone\t->\t2"}));
    EXPECT_TRUE(ui.Messages().empty());

    simulator.Router().InjectFault({zsim::SimFault::Kind::Refuse, 2, 0x4A});
    Click("readMonitors", monitorsView);
    EXPECT_TRUE(Rows("monitors", monitorsView).empty());
    EXPECT_EQ(ui.MessageTexts(),
              std::vector<QString>{"Error Message Received: \"Cannot Execute Command\""});
}

TEST_F(RouterMonitorsFormViewTest, SetRoutesAnOutputToAMonitorInRange) {
    StartRouter("QS1215");
    AnswerRangeDialog({{"17", "3"}, {"17", "0"}, {"17", "2"}});
    Click("setMonitor", monitorsView);
    ASSERT_EQ(dialogsSeen.size(), 1u);
    EXPECT_EQ(dialogsSeen[0],
              (QStringList{"Set Monitor", "Output", "Monitor (1-2)", "Set", "Cancel"}));
    EXPECT_EQ(ui.MessageTexts(), (std::vector<QString>{"Invalid Output", "Invalid Output"}));
    EXPECT_EQ(Takes(), (std::vector<ReceivedTake>{{1, 17, 2, {}}}));
    EXPECT_EQ(simulator.Router().Snapshot().monitors.at(1), 17);
    EXPECT_TRUE(Rows("monitors", monitorsView).empty());  // no auto read asked for
    EXPECT_TRUE(ui.Sleeps().empty());

    ClearRecords();
    QTest::mouseClick(&Find<QCheckBox>(monitorsView, "monitorAutoRead"), Qt::LeftButton, {},
                      QPoint(5, 5));
    AnswerRangeDialog({{"33", "1"}});
    Click("setMonitor", monitorsView);
    EXPECT_EQ(ui.Sleeps(), std::vector<int>{RouterMonitorsFormView::kAutoReadDelayMs});
    EXPECT_EQ(Rows("monitors", monitorsView), (QStringList{"\t33\t->\t1", "\t17\t->\t2"}));

    // The output is sent as typed: the router refuses output 0.
    ClearRecords();
    AnswerRangeDialog({{"0", "1"}});
    Click("setMonitor", monitorsView);
    EXPECT_EQ(Takes(), (std::vector<ReceivedTake>{{1, 0, 1, {}}}));
    EXPECT_EQ(ui.MessageTexts(), (std::vector<QString>{"Error Message Received: \"Invalid data\"",
                                                       "Error: Set of monitor failed."}));
}

}  // namespace
}  // namespace zerandi::test
