#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QString>
#include <memory>
#include <vector>

#include "config/RouterConfigDoc.h"
#include "serial/QtSerialDevice.h"
#include "support/FakeClock.h"
#include "support/FrameFields.h"
#include "support/ScriptedUiServices.h"
#include "support/SimulatedRouter.h"

namespace zerandi::test {
namespace {

constexpr uint32_t kBaud = 38400;
constexpr uint8_t kResetCommand = 0x4E;
const QString kQuestion = QStringLiteral("Reset the controller now?");

class RouterConfigDocTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(simulator.Start("QR1206")); }

    std::unique_ptr<RouterConfigDoc> MakeDoc(const PortChoice& port) {
        return std::make_unique<RouterConfigDoc>(ui, std::make_unique<QtSerialDevice>(), clock,
                                                 port, kBaud);
    }
    std::vector<uint8_t> RequestCommands() const { return CommandsOf(simulator.Requests()); }

    ScriptedUiServices ui;
    FakeClock clock;
    SimulatedRouter simulator;
};

TEST_F(RouterConfigDocTest, StartsKnowingNothingWithTheLinkOpenOnTheChosenPort) {
    const auto doc = MakeDoc(simulator.Port());
    EXPECT_FALSE(doc->ProductKnown());
    EXPECT_EQ(doc->ProductId(), 255);
    EXPECT_EQ(doc->protocol, 255);
    EXPECT_EQ(doc->levelCount, 0);
    for (const RouterLevel& level : doc->levels) {
        EXPECT_EQ(level, RouterLevel{});
        EXPECT_EQ(level.level, 255);
    }
    EXPECT_EQ(doc->controlCard, (ControlCardInfo{-1, -1, -1, -1}));
    EXPECT_EQ(doc->ScrambleMapEnabled(), 0);

    RouterDiagnosticCommPort& port = doc->CommPort();
    EXPECT_TRUE(port.IsOpen());
    EXPECT_EQ(port.Port(), simulator.Port());
    EXPECT_EQ(port.BaudRate(), kBaud);
    EXPECT_EQ(port.ReadTimeoutMs(), RouterConfigDoc::kLinkReadTimeoutMs);
    uint8_t maker = 1;
    uint8_t product = 0;
    EXPECT_TRUE(port.GetProductId(maker, product));
    EXPECT_EQ(product, 64);
}

TEST_F(RouterConfigDocTest, OnlyAChangedValueRefreshesTheViews) {
    struct Step {
        bool productId;  // else the scramble-map switch
        int value;
        int refreshesSoFar;
    };
    const std::vector<Step> steps = {
        {true, 255, 0}, {true, 64, 1}, {true, 64, 1}, {true, 28, 2}, {true, 255, 3},
        {false, 0, 3},  {false, 1, 4}, {false, 1, 4}, {false, 0, 5},
    };
    const auto doc = MakeDoc(simulator.Port());
    QSignalSpy refreshes(doc.get(), &RouterConfigDoc::ViewsRefresh);
    for (const Step& step : steps) {
        if (step.productId) {
            doc->SetProductId(step.value);
            EXPECT_EQ(doc->ProductId(), step.value);
        } else {
            doc->SetScrambleMapEnabled(static_cast<uint8_t>(step.value));
            EXPECT_EQ(doc->ScrambleMapEnabled(), step.value);
        }
        EXPECT_EQ(refreshes.count(), step.refreshesSoFar)
            << (step.productId ? "product id " : "scramble ") << step.value;
    }
}

TEST_F(RouterConfigDocTest, ResetsTheControllerOnlyWhenTheUserSaysYes) {
    const auto doc = MakeDoc(simulator.Port());
    ui.AnswerNextMessage(MessageAnswer::No);
    doc->AskAndResetController(kQuestion);
    EXPECT_TRUE(simulator.Requests().empty());

    ui.AnswerNextMessage(MessageAnswer::Yes);
    doc->AskAndResetController(kQuestion);
    EXPECT_EQ(RequestCommands(), std::vector<uint8_t>{kResetCommand});
    EXPECT_EQ(simulator.Router().Snapshot().resetCount, 1);

    ASSERT_EQ(ui.Messages().size(), 2u);
    for (const auto& box : ui.Messages()) {
        EXPECT_EQ(box.text, kQuestion);
        EXPECT_EQ(box.icon, MessageIcon::Warning);
        EXPECT_EQ(box.buttons, MessageButtons::YesNo);
        EXPECT_TRUE(box.caption.isEmpty());
    }
}

TEST_F(RouterConfigDocTest, AFailedResetShowsItsBoxAfterTheQuestion) {
    const auto doc = MakeDoc(simulator.Port());
    simulator.Router().InjectFault(
        {.kind = zsim::SimFault::Kind::Busy, .command = kResetCommand, .times = 4});
    ui.AnswerNextMessage(MessageAnswer::Yes);
    doc->AskAndResetController(kQuestion);
    EXPECT_EQ(ui.MessageTexts(),
              (std::vector<QString>{kQuestion, "Error Message Received: \"Busy\""}));
    EXPECT_EQ(simulator.Router().Snapshot().resetCount, 0);
}

TEST_F(RouterConfigDocTest, APortThatIsMissingOrNoneLeavesTheLinkClosed) {
    for (const PortChoice& port :
         {PortChoice(), PortChoice::Device(QStringLiteral("/dev/zerandi-no-such-port"))}) {
        ui.ClearMessages();
        const auto doc = MakeDoc(port);
        EXPECT_FALSE(doc->CommPort().IsOpen()) << port.SystemLocation().toStdString();
        EXPECT_FALSE(doc->CommPort().Take(1, 1));
        EXPECT_EQ(ui.MessageTexts(), std::vector<QString>{"Transmit Failure"});
    }
    EXPECT_TRUE(simulator.Requests().empty());
}

}  // namespace
}  // namespace zerandi::test
