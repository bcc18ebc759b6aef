#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "protocol/FacadeFixture.h"
#include "support/WireCodes.h"

namespace zerandi::test {
namespace {

using Kind = zsim::SimFault::Kind;
using TakePair = RouterDiagnosticCommPort::TakePair;
constexpr int kCardAddressCommand = 0x44;
constexpr int kRouterTypeCommand = 0x43;
constexpr int kExpansionCommand = 0x4F;
constexpr size_t kSourceOffset = 8;
constexpr size_t kDestinationOffset = 10;
const std::string kBusyText = "Error Message Received: \"Busy\"";
const std::string kInvalidDataText = "Error Message Received: \"Invalid data\"";

using FacadePtyTest = FacadeFixture;

TEST_F(FacadePtyTest, ABusyTakeShowsOneBoxAfterEveryRetryAndFails) {
    InjectFault({.kind = Kind::Busy, .command = kTake, .times = 4});
    EXPECT_FALSE(port.Take(3, 5));
    EXPECT_EQ(Requests().size(), 4u);
    EXPECT_EQ(Boxes(), std::vector<std::string>{Box(kBusyText)});
}

// Each failure of a single-command operation shows its own box, except the time-out; the
// link stays usable afterwards.
TEST_F(FacadePtyTest, SingleCommandFailuresShowTheirBoxAndLeaveTheLinkUsable) {
    struct Case {
        std::string name;
        zsim::SimFault fault;
        std::function<bool(RouterDiagnosticCommPort&)> operation;
        std::vector<std::string> boxes;
    };
    const auto productId = [](RouterDiagnosticCommPort& p) {
        uint8_t maker = 0;
        uint8_t product = 0;
        return p.GetProductId(maker, product);
    };
    const auto cardAddress = [](RouterDiagnosticCommPort& p) {
        uint8_t card = 0;
        return p.GetCardAddress(card);
    };
    const auto routerType = [](RouterDiagnosticCommPort& p) { return p.SetRouterType(64); };
    const std::vector<Case> cases = {
        {"time-out", {.kind = Kind::Silence, .command = kGetProductId}, productId, {}},
        {"checksum",
         {.kind = Kind::CorruptChecksum, .command = kGetProductId},
         productId,
         {Box("unknown Comm error")}},
        {"start byte",
         {.kind = Kind::WrongStartByte, .command = kGetProductId},
         productId,
         {Box("unknown Comm error")}},
        {"refused",
         {.kind = Kind::Refuse, .param = 9, .command = kCardAddressCommand},
         cardAddress,
         {Box("Error Message Received: \"Command not supported\"")}},
        {"ascii",
         {.kind = Kind::AsciiError, .command = kRouterTypeCommand},
         routerType,
         {Box("Error Message Received: \"Ascii Error Msg\"")}},
    };
    for (const Case& c : cases) {
        ClearRecords();
        InjectFault(c.fault);
        EXPECT_FALSE(c.operation(port)) << c.name;
        EXPECT_EQ(Boxes(), c.boxes) << c.name;
        ui.ClearMessages();
        EXPECT_TRUE(c.operation(port)) << c.name << ": link unusable after the failure";
        EXPECT_TRUE(ui.Messages().empty()) << c.name;
    }
}

TEST_F(FacadePtyTest, AReceiveThatFindsNoTextFailsWithoutABox) {
    RouterMessage message;
    EXPECT_FALSE(port.ReceiveTextMessage(message, 0));
    EXPECT_TRUE(ui.Messages().empty());

    simulator.Pty().SendText("FAN 2 FAIL");
    EXPECT_TRUE(port.ReceiveTextMessage(message, kRestingReadTimeoutMs));
    EXPECT_EQ(message.Command(), 0x7E);
}

TEST_F(FacadePtyTest, OperationsWithARawResultHandItBackAndStillShowTheBox) {
    // The default card is not an extended one: it refuses the expansion command.
    ExpansionSettings settings;
    CommResult result = CommResult::Success;
    EXPECT_FALSE(port.GetExpansionParameters(settings, result));
    EXPECT_EQ(result, CommResult::NotSupported);
    EXPECT_EQ(Boxes(),
              std::vector<std::string>{Box("Error Message Received: \"Command not supported\"")});

    simulator.Router().Update([](zsim::RouterState& state) { state.cardPartNumber = 353; });
    ClearRecords();
    EXPECT_TRUE(port.SetExpansionParameters({0, 3}, result));
    EXPECT_EQ(result, CommResult::Success);
    EXPECT_EQ(simulator.Router().Snapshot().expansionIndex, 3);
    ui.ClearMessages();
    InjectFault({.kind = Kind::Busy, .command = kExpansionCommand, .times = 4});
    EXPECT_FALSE(port.GetExpansionParameters(settings, result));
    EXPECT_EQ(result, CommResult::Busy);
    EXPECT_EQ(Boxes(), std::vector<std::string>{Box(kBusyText)});
}

TEST_F(FacadePtyTest, ControlCardInfoNeverShowsABox) {
    ControlCardInfo info;
    EXPECT_TRUE(port.GetControlCardInfo(info));
    EXPECT_EQ(info.partNumber, 209);

    port.Close();
    EXPECT_FALSE(port.GetControlCardInfo(info));
    EXPECT_TRUE(ui.Messages().empty());
    EXPECT_EQ(info, ControlCardInfo{}) << "a card that does not answer is unknown";
    // The same closed link reports itself through every other operation.
    EXPECT_FALSE(port.Take(1, 1));
    EXPECT_EQ(Boxes(), std::vector<std::string>{Box("Transmit Failure")});
}

class TakeListTest : public FacadeFixture {
protected:
    // A router with fewer inputs than the list's second source refuses that take.
    void StartRouterRefusingSource12(const std::string& model) {
        StartRouter(model);
        simulator.Router().Update([](zsim::RouterState& state) { state.inputs = 10; });
    }
    const std::vector<TakePair> pairs = {{3, 1}, {12, 7}, {5, 2}};
    const std::vector<std::string> failureBoxes = {
        Box(kInvalidDataText), Box("Error: Unable to execute the take: 12 --> 7", "Error")};
};

TEST_F(TakeListTest, StopsAtTheFirstFailedTakeWithItsBoxAndTheListMessage) {
    StartRouterRefusingSource12("QR1206");
    EXPECT_FALSE(port.ExecuteTakeList(pairs, false));
    const auto requests = Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(WordAt(requests[0], kSourceOffset), 3);
    EXPECT_EQ(WordAt(requests[1], kSourceOffset), 12);
    EXPECT_EQ(WordAt(requests[1], kDestinationOffset), 7);
    EXPECT_EQ(Boxes(), failureBoxes);
    EXPECT_EQ(simulator.Router().Snapshot().crosspoints[0], 3);
}

TEST_F(TakeListTest, TheSourceFlagGoesOnTheWireButTheMessageShowsTheStoredSource) {
    StartRouterRefusingSource12("QR1207");  // a data router: it masks the flag bits off
    EXPECT_FALSE(port.ExecuteTakeList(pairs, true));
    const auto requests = Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(WordAt(requests[0], kSourceOffset), 0x4000 | 3);
    EXPECT_EQ(WordAt(requests[1], kSourceOffset), 0x4000 | 12);
    EXPECT_EQ(Boxes(), failureBoxes);
    EXPECT_EQ(pairs[1].first, 12);
}

TEST_F(TakeListTest, AWholeListSucceedsAndAnEmptyOneSendsNothing) {
    EXPECT_TRUE(port.ExecuteTakeList(pairs, false));
    EXPECT_EQ(Requests().size(), 3u);
    const auto crosspoints = simulator.Router().Snapshot().crosspoints;
    EXPECT_EQ((std::vector<uint16_t>{crosspoints[0], crosspoints[6], crosspoints[1]}),
              (std::vector<uint16_t>{3, 12, 5}));

    ClearRecords();
    EXPECT_TRUE(port.ExecuteTakeList({}, true));
    EXPECT_TRUE(Requests().empty());
    EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(TakeListTest, ABusyTakeInTheListIsRetriedBeforeItCountsAsFailed) {
    InjectFault({.kind = Kind::Busy, .command = kTake, .times = 4});
    EXPECT_FALSE(port.ExecuteTakeList(pairs, false));
    EXPECT_EQ(Requests().size(), 4u);
    EXPECT_EQ(Boxes(),
              (std::vector<std::string>{
                  Box(kBusyText), Box("Error: Unable to execute the take: 3 --> 1", "Error")}));
}

}  // namespace
}  // namespace zerandi::test
