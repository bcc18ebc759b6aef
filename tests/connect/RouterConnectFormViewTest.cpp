#include <gtest/gtest.h>

#include <QCheckBox>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include "connect/ConnectViewFixture.h"
#include "connect/SalvoPanel.h"
#include "shell/TabStopList.h"
#include "support/AccessibilityAudit.h"
#include "support/WireCodes.h"
#include "widgets/NumberEdit.h"

namespace zerandi::test {
namespace {

constexpr int kCrosspointStatus = 0x4A;
const QString kReadFailed = QStringLiteral("Unable to read the information from the router.");

using RouterConnectFormViewTest = ConnectViewFixture;

ReceivedTake TakeOf(uint16_t source, uint16_t destination) {
    return {0, source, destination, std::nullopt};
}

TEST_F(RouterConnectFormViewTest, FormFollowsTheRouterOnEveryUpdate) {
    const struct {
        const char* model;
        int inputDigits;
        int outputDigits;
        const char* end;
        bool rangeTakes;
        bool triState;
        const char* heading;
    } cases[] = {
        {"QR1206", 2, 2, "64", true, false, "\tInput\t\tOutput"},
        {"QR1207", 3, 3, "128", false, true, "Input\t\t  Output      Flags"},
        {"QR1205", 2, 1, "8", true, true, "\tInput\t\tOutput"},
        {"QR1209", 4, 3, "512", true, false, "\tInput\t\tOutput"},
    };
    for (const auto& c : cases) {
        StartRouter(c.model);
        EXPECT_TRUE(ChildShown(view)) << c.model;
        EXPECT_EQ(Find<NumberEdit>("input").maxLength(), c.inputDigits) << c.model;
        for (const char* field : {"output", "rangeStart", "rangeEnd"}) {
            EXPECT_EQ(Find<NumberEdit>(field).maxLength(), c.outputDigits) << c.model << field;
        }
        EXPECT_EQ(Find<NumberEdit>("timestamp").maxLength(), 5);
        EXPECT_EQ(Find<NumberEdit>("rangeStart").text(), "1");
        EXPECT_EQ(Find<NumberEdit>("rangeEnd").text(), c.end) << c.model;
        EXPECT_EQ(Find<QPushButton>("rangeTake").isEnabled(), c.rangeTakes) << c.model;
        EXPECT_EQ(Find<QPushButton>("reverseDiagonalTake").isEnabled(), c.rangeTakes) << c.model;
        EXPECT_TRUE(Find<QPushButton>("diagonalTake").isEnabled());
        EXPECT_EQ(Find<QCheckBox>("triState").isEnabled(), c.triState) << c.model;
        EXPECT_EQ(Find<TabStopHeading>("connectionsHeading").Text(), c.heading) << c.model;
        EXPECT_EQ(UnnamedInputControls(view), QStringList{}) << c.model;
    }
    ForgetRouter();
    EXPECT_FALSE(ChildShown(view));
    EXPECT_TRUE(simulator.Requests().empty());
}

TEST_F(RouterConnectFormViewTest, TabKeyFollowsTheFormInReadingOrder) {
    StartRouter("QR1205");
    QStringList order;
    QWidget* widget = &Find<QWidget>("rangeTake");
    do {
        if (!widget->objectName().isEmpty() && (widget->focusPolicy() & Qt::TabFocus) != 0) {
            order << widget->objectName();
        }
        widget = widget->nextInFocusChain();
    } while (widget != &Find<QWidget>("rangeTake") && order.size() < 20);
    EXPECT_EQ(
        order.mid(0, 15),
        (QStringList{"rangeTake", "diagonalTake", "reverseDiagonalTake", "connections", "input",
                     "output", "timestamp", "triState", "executeTake", "rangeStart", "rangeEnd",
                     "readRange", "readAllOutputs", "salvoList", "executeSalvo"}));
}

TEST_F(RouterConnectFormViewTest, SingleTakeSendsTheWordsTypedAndStepsTheFields) {
    StartRouter("QR1206");
    Trigger("incrementInput");
    Trigger("decrementOutput");
    Type("input", "63");
    Type("output", "2");
    Click("executeTake");
    EXPECT_EQ(Find<NumberEdit>("input").text(), "64");
    EXPECT_EQ(Find<NumberEdit>("output").text(), "1");
    Click("executeTake");  // at the ends: nothing moves
    EXPECT_EQ(Find<NumberEdit>("input").text(), "64");
    EXPECT_EQ(Find<NumberEdit>("output").text(), "1");
    Type("timestamp", "4660");
    Click("executeTake");
    EXPECT_EQ(Takes(), (std::vector<ReceivedTake>{
                           TakeOf(63, 2), TakeOf(64, 1), {0, 64, 1, uint16_t{4660}}}));
    EXPECT_TRUE(ui.Messages().empty());
    EXPECT_EQ(simulator.Router().Snapshot().crosspoints.at(0), 64);
    EXPECT_FALSE(ui.isBusy());
}

TEST_F(RouterConnectFormViewTest, SingleTakeRefusalsAndFailures) {
    StartRouter("QR1206");
    const struct {
        const char* input;
        const char* output;
        std::vector<QString> messages;
    } cases[] = {
        {"", "3", {"Invalid Input"}},
        {"0", "3", {"Invalid Input"}},
        {"5", "", {"Invalid Output"}},
        {"5", "0", {"Invalid Output"}},
        {"65", "3", {"Error Message Received: \"Invalid data\"", "Take Failed!!"}},
    };
    for (const auto& c : cases) {
        ClearRecords();
        Type("input", c.input);
        Type("output", c.output);
        Click("executeTake");
        EXPECT_EQ(ui.MessageTexts(), c.messages) << c.input << "->" << c.output;
    }
    EXPECT_EQ(Takes(), (std::vector<ReceivedTake>{TakeOf(65, 3)}));
}

TEST_F(RouterConnectFormViewTest, TriStateTakeSendsTheTriStateSourceAndKeepsTheInput) {
    StartRouter("QR1205");
    Trigger("incrementInput");
    Type("input", "3");
    Type("output", "8");
    QTest::mouseClick(&Find<QCheckBox>("triState"), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(Find<NumberEdit>("input").isEnabled());
    Click("executeTake");
    EXPECT_EQ(Takes(), (std::vector<ReceivedTake>{TakeOf(kTri, 8)}));
    EXPECT_EQ(Find<NumberEdit>("input").text(), "3");
    EXPECT_EQ(simulator.Router().Snapshot().crosspoints.at(7), kTri);
}

TEST_F(RouterConnectFormViewTest, DataRouterTakeFlagsFollowTheMenuAndTheCard) {
    const struct {
        const char* name;
        uint16_t card;
        std::vector<const char*> clicks;
        bool forwardOffered;
        bool distributedTicked;
        bool forwardTicked;
        uint16_t source;
    } cases[] = {
        {"both clear", 209, {}, false, false, false, 0x4000 | 12},
        {"distributed, plain card", 209, {"distributedControlTake"}, false, true, false, 12},
        {"distributed ticks forward on an extended card",
         263,
         {"distributedControlTake"},
         true,
         true,
         true,
         0x8000 | 12},
        {"forward ticks distributed", 263, {"forwardTake"}, true, true, true, 0x8000 | 12},
        {"forward alone",
         263,
         {"forwardTake", "distributedControlTake"},
         true,
         false,
         true,
         0xC000 | 12},
    };
    for (const auto& c : cases) {
        StartRouter("QR1207", [&](zsim::RouterState& state) { state.cardPartNumber = c.card; });
        for (const char* click : c.clicks) {
            Trigger(click);
        }
        emit Menu("&Settings").aboutToShow();
        EXPECT_EQ(Action("forwardTake").isEnabled(), c.forwardOffered) << c.name;
        EXPECT_FALSE(Action("sendReadsToSalvo").isEnabled()) << c.name;
        EXPECT_EQ(Ticked("distributedControlTake"), c.distributedTicked) << c.name;
        EXPECT_EQ(Ticked("forwardTake"), c.forwardTicked) << c.name;
        Type("input", "12");
        Type("output", "5");
        Click("executeTake");
        EXPECT_EQ(Takes(), (std::vector<ReceivedTake>{TakeOf(c.source, 5)})) << c.name;
        EXPECT_EQ(simulator.Router().Snapshot().crosspoints.at(4), c.source) << c.name;
    }
}

TEST_F(RouterConnectFormViewTest, AnOrdinaryRouterClearsTheDataRouterTicks) {
    StartRouter("QR1207", [](zsim::RouterState& state) { state.cardPartNumber = 263; });
    doc->controlCard.partNumber = 263;
    Trigger("distributedControlTake");
    ASSERT_TRUE(Ticked("forwardTake"));
    doc->SetProductId(64);
    EXPECT_FALSE(Ticked("distributedControlTake"));
    EXPECT_FALSE(Ticked("forwardTake"));
    emit Menu("&Settings").aboutToShow();
    EXPECT_FALSE(Action("distributedControlTake").isEnabled());
    EXPECT_TRUE(Action("sendReadsToSalvo").isEnabled());
    // Opposite steps exclude each other.
    Trigger("incrementOutput");
    Trigger("decrementOutput");
    EXPECT_FALSE(Ticked("incrementOutput"));
    EXPECT_TRUE(Ticked("decrementOutput"));
}

TEST_F(RouterConnectFormViewTest, RangeAndDiagonalTakesSendTheirListsInOrder) {
    const struct {
        const char* button;
        const char* model;
        DialogEntry entry;
        std::vector<ReceivedTake> takes;
        QStringList dialog;
        std::vector<QString> messages;
    } cases[] = {
        {"rangeTake",
         "QR1206",
         {"7", "3", "5"},
         {TakeOf(7, 3), TakeOf(7, 4), TakeOf(7, 5)},
         {"Execute Range Take", "Input (1-64)", "Output Range (1-64)", "to", "Execute", "Cancel"},
         {"Range of takes successfully written."}},
        {"diagonalTake",
         "QR1206",
         {"4", "2", "4"},
         {TakeOf(4, 2), TakeOf(5, 3), TakeOf(6, 4)},
         {"Execute Diagonal Take", "Input (1-64)", "Output Range (1-64)", "to", "Execute",
          "Cancel"},
         {"Range of takes successfully written."}},
        {"diagonalTake",
         "QR1207",
         {"4", "2", "3"},
         {TakeOf(0x4004, 2), TakeOf(0x4005, 3)},
         {"Execute Diagonal Take", "Input (1-128)", "Output Range (1-128)", "to", "Execute",
          "Cancel"},
         {"Range of takes successfully written."}},
        {"reverseDiagonalTake",
         "QR1206",
         {"5", "1", "5"},
         {TakeOf(5, 1), TakeOf(4, 2), TakeOf(3, 3), TakeOf(2, 4), TakeOf(1, 5)},
         {"Execute Diagonal Take", "Input (1-64)", "Output Range (1-64)", "to", "Execute",
          "Cancel"},
         {"Range of takes downloaded correctly."}},
        {"reverseDiagonalTake",
         "QR1206",
         {"4", "1", "5"},
         {},
         {"Execute Diagonal Take", "Input (1-64)", "Output Range (1-64)", "to", "Execute",
          "Cancel"},
         {"Starting Input value of 4 is not large enough for the number of destinations (5) in "
          "reverse diagonal."}},
    };
    for (const auto& c : cases) {
        StartRouter(c.model);
        AnswerRangeDialog({c.entry});
        Click(c.button);
        EXPECT_EQ(Takes(), c.takes) << c.button;
        ASSERT_EQ(dialogsSeen.size(), 1u);
        EXPECT_EQ(dialogsSeen[0], c.dialog) << c.button;
        if (!c.messages.empty()) {
            EXPECT_EQ(ui.MessageTexts(), c.messages) << c.button;
            EXPECT_EQ(ui.Messages().back().icon, MessageIcon::Information);
        }
    }
}

TEST_F(RouterConnectFormViewTest, AListStopsAtItsFirstFailingTake) {
    StartRouter("QR1206");
    AnswerRangeDialog({{"64", "1", "3"}});
    Click("diagonalTake");
    EXPECT_EQ(Takes(), (std::vector<ReceivedTake>{TakeOf(64, 1), TakeOf(65, 2)}));
    EXPECT_EQ(ui.MessageTexts(),
              (std::vector<QString>{"Error Message Received: \"Invalid data\"",
                                    "Error: Unable to execute the take: 65 --> 2"}));
    EXPECT_EQ(simulator.Router().Snapshot().crosspoints.at(0), 64);
}

TEST_F(RouterConnectFormViewTest, RangeDialogChecksWhatIsTyped) {
    StartRouter("QR1206");
    AnswerRangeDialog({{"0", "1", "2"},
                       {"65", "1", "2"},
                       {"5", "0", "2"},
                       {"5", "5", "4"},
                       {"5", "5", "65"},
                       {"5", "5", "5"}});
    Click("rangeTake");
    EXPECT_EQ(ui.MessageTexts(),
              (std::vector<QString>{"Invalid Input", "Invalid Input", "Invalid Output",
                                    "Invalid End Output", "Invalid End Output",
                                    "Range of takes successfully written."}));
    EXPECT_EQ(Takes(), (std::vector<ReceivedTake>{TakeOf(5, 5)}));
}

TEST_F(RouterConnectFormViewTest, AutoReadFollowsTakesEvenAfterACancelledDialog) {
    StartRouter("QR1206");
    Trigger("autoRead");
    Type("rangeStart", "3");
    Type("rangeEnd", "4");
    CancelRangeDialog();
    Click("diagonalTake");
    EXPECT_EQ(ui.Sleeps(), std::vector<int>{RouterConnectFormView::kAutoReadDelayMs});
    EXPECT_EQ(Commands(), std::vector<int>{kCrosspointStatus});
    EXPECT_EQ(Rows("connections").size(), 2);
    ClearRecords();
    Type("input", "9");
    Type("output", "4");
    Click("executeTake");
    EXPECT_EQ(Commands(), (std::vector<int>{0x49, kCrosspointStatus}));
    EXPECT_EQ(Rows("connections").back(), "\t  9\t-->\t\t  4");
}

TEST_F(RouterConnectFormViewTest, ReadListsTheSourceOfEveryOutputInTheRange) {
    StartRouter("QR1206", [](zsim::RouterState& state) {
        state.crosspoints[2] = 12;
        state.crosspoints[3] = kTri;
    });
    Type("rangeStart", "3");
    Type("rangeEnd", "4");
    Click("readRange");
    EXPECT_EQ(Rows("connections"), (QStringList{"\t 12\t-->\t\t  3", "\tTRI\t-->\t\t  4"}));
    EXPECT_TRUE(ui.Messages().empty());

    const struct {
        const char* start;
        const char* end;
        const char* message;
    } refusals[] = {{"", "4", "Invalid Start Output"},
                    {"0", "4", "Invalid Start Output"},
                    {"4", "", "Invalid End Output"},
                    {"4", "3", "Invalid End Output"}};
    for (const auto& c : refusals) {
        ClearRecords();
        Type("rangeStart", c.start);
        Type("rangeEnd", c.end);
        Click("readRange");
        EXPECT_EQ(ui.MessageTexts(), std::vector<QString>{c.message}) << c.start << "-" << c.end;
        EXPECT_TRUE(simulator.Requests().empty());
    }

    ClearRecords();
    simulator.Router().InjectFault({zsim::SimFault::Kind::Refuse, 6, kCrosspointStatus});
    Type("rangeStart", "1");
    Type("rangeEnd", "64");
    Click("readRange");
    EXPECT_EQ(ui.MessageTexts(),
              (std::vector<QString>{"Error Message Received: \"Count Error\"", kReadFailed}));
    EXPECT_TRUE(Rows("connections").empty());
}

TEST_F(RouterConnectFormViewTest, ReadAllOutputsListsEveryOutput) {
    StartRouter("QS1214", [](zsim::RouterState& state) { state.crosspoints[2047] = 77; });
    Click("readAllOutputs");
    const QStringList rows = Rows("connections");
    ASSERT_EQ(rows.size(), 2048);
    EXPECT_EQ(rows.front(), "\t  1\t-->\t\t  1");
    EXPECT_EQ(rows.back(), "\t 77\t-->\t\t2048");
    EXPECT_TRUE(ui.Messages().empty());
    EXPECT_EQ(ui.MaxBusyDepth(), 1);

    // A model with a name but no size has no outputs to read.
    StartRouter("QR1201");
    Click("readAllOutputs");
    EXPECT_EQ(ui.MessageTexts(), std::vector<QString>{"This router model has no outputs to read."});
    EXPECT_TRUE(simulator.Requests().empty());

    ForgetRouter();
    ClearRecords();
    view->ReadAllOutputs();
    EXPECT_EQ(ui.MessageTexts(),
              std::vector<QString>{"Invalid router configuration.\nPlease upload the router "
                                   "configuration before attempting this operation."});
}

TEST_F(RouterConnectFormViewTest, ReadsGoToTheSalvoAfterTheOverwriteQuestion) {
    StartRouter("QR1206", [](zsim::RouterState& state) {
        state.crosspoints[0] = 5;
        state.crosspoints[1] = 6;
    });
    Trigger("sendReadsToSalvo");
    Type("rangeStart", "1");
    Type("rangeEnd", "2");
    Click("readRange");
    EXPECT_EQ(view->Salvo().Entries(), (TakeList{{5, 1}, {6, 2}}));
    EXPECT_EQ(Rows("salvoList"), (QStringList{"  5\t-->\t1", "  6\t-->\t2"}));
    EXPECT_TRUE(ui.Messages().empty());

    Type("rangeEnd", "1");
    ui.AnswerNextMessage(MessageAnswer::Cancel);
    Click("readRange");
    EXPECT_EQ(view->Salvo().Entries(), (TakeList{{5, 1}, {6, 2}}));
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].text, "This will overwrite existing salvo.  Continue?");
    EXPECT_EQ(ui.Messages()[0].buttons, MessageButtons::OkCancel);

    ui.AnswerNextMessage(MessageAnswer::Ok);
    Click("readRange");
    EXPECT_EQ(view->Salvo().Entries(), (TakeList{{5, 1}}));
}

}  // namespace
}  // namespace zerandi::test
