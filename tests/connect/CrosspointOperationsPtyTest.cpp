#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "connect/ConnectTexts.h"
#include "connect/MonitorStatusRead.h"
#include "connect/OutputRangeRead.h"
#include "connect/SingleTake.h"
#include "protocol/FacadeFixture.h"

namespace zerandi::test {
namespace {

using Kind = zsim::SimFault::Kind;
using Words = std::vector<int32_t>;
constexpr int kTakeCommand = 0x49;
constexpr int kStatusCommand = 0x4A;
constexpr uint16_t kTri = 0xF3F3;
constexpr int32_t kQR1206 = 64;
constexpr int32_t kQS1215 = 63;  // two monitor outputs
constexpr int32_t kUnknownProduct = 255;

// The takes and reads that the connections view, the monitors view and the command line
// share, over a simulated router; each message notes whether the busy state was on.
class CrosspointOperationsPtyTest : public FacadeFixture {
protected:
    void SetUp() override {
        FacadeFixture::SetUp();
        ui.OnMessage(
            [this](const ScriptedUiServices::Message&) { busyAtMessage.push_back(ui.isBusy()); });
    }

    std::vector<bool> busyAtMessage;
};

TEST_F(CrosspointOperationsPtyTest, OutputReadsGiveWholeWordsInOutputOrder) {
    const struct {
        const char* name;
        std::string model;
        std::vector<uint16_t> routed;  // on outputs 1, 2, ...
        int first;
        int last;
        Words words;
    } cases[] = {
        {"a data router keeps its flag bits",
         "QR1207",
         {1, 0xB080, 0x4005},
         2,
         3,
         {0xB080, 0x4005}},
        {"a disconnected output", "QR1206", {7, kTri, 9}, 1, 3, {7, kTri, 9}},
        {"one output", "QR1206", {7, 8}, 2, 2, {8}},
    };
    for (const auto& c : cases) {
        StartRouter(c.model);
        simulator.Router().Update([&](zsim::RouterState& state) {
            std::copy(c.routed.begin(), c.routed.end(), state.crosspoints.begin());
        });
        EXPECT_EQ(OutputRangeRead(port, ui).Run(c.first, c.last), c.words) << c.name;
        EXPECT_TRUE(ui.Messages().empty()) << c.name;
        EXPECT_FALSE(ui.isBusy()) << c.name;
    }
}

TEST_F(CrosspointOperationsPtyTest, MonitorReadsAskForTheModelsMonitorsOnly) {
    const struct {
        const char* name;
        int32_t productId;
        Words words;
        size_t requests;
    } cases[] = {
        {"every monitor, a dark one as tri-state", kQS1215, {200, kTri}, 1},
        {"a model without monitor outputs", kQR1206, {}, 0},
        {"a router not yet identified", kUnknownProduct, {}, 0},
    };
    StartRouter("QS1215");
    simulator.Router().Update([](zsim::RouterState& state) { state.monitors = {200, kTri}; });
    for (const auto& c : cases) {
        ClearRecords();
        EXPECT_EQ(MonitorStatusRead(port, ui).Run(c.productId), c.words) << c.name;
        EXPECT_EQ(Requests().size(), c.requests) << c.name;
        EXPECT_TRUE(ui.Messages().empty()) << c.name;
    }
}

// The transaction's own box comes while the busy state is on; the operation's text, once,
// after it has ended.
TEST_F(CrosspointOperationsPtyTest, AFailureIsToldOnceAfterTheTransactionsOwnBox) {
    const std::string countError = Box("Error Message Received: \"Count Error\"");
    const std::string invalidData = Box("Error Message Received: \"Invalid data\"");
    const struct {
        const char* name;
        zsim::SimFault fault;
        std::function<bool(RouterDiagnosticCommPort&, UiServices&)> operation;
        std::vector<std::string> boxes;
        std::vector<bool> busy;
    } cases[] = {
        {"read outputs",
         {.kind = Kind::Refuse, .param = 6, .command = kStatusCommand},
         [](auto& p, auto& u) { return OutputRangeRead(p, u).Run(1, 40).has_value(); },
         {countError, Box(kReadOutputsFailedText.toStdString())},
         {true, false}},
        {"read monitors",
         {.kind = Kind::Refuse, .param = 6, .command = kStatusCommand},
         [](auto& p, auto& u) { return MonitorStatusRead(p, u).Run(kQS1215).has_value(); },
         {countError},
         {true}},
        {"take",
         {.kind = Kind::Refuse, .param = 1, .command = kTakeCommand},
         [](auto& p, auto& u) { return SingleTake(p, u).Run(3, 5, std::nullopt); },
         {invalidData, Box(kTakeFailedText.toStdString())},
         {true, false}},
        {"timed take",
         {.kind = Kind::Refuse, .param = 1, .command = kTakeCommand},
         [](auto& p, auto& u) { return SingleTake(p, u).Run(3, 5, 1200); },
         {invalidData, Box(kTakeFailedText.toStdString())},
         {true, false}},
    };
    StartRouter("QS1215");
    for (const auto& c : cases) {
        ClearRecords();
        busyAtMessage.clear();
        InjectFault(c.fault);
        EXPECT_FALSE(c.operation(port, ui)) << c.name;
        EXPECT_EQ(Boxes(), c.boxes) << c.name;
        EXPECT_EQ(busyAtMessage, c.busy) << c.name;
        EXPECT_FALSE(ui.isBusy()) << c.name;
        ClearRecords();
        EXPECT_TRUE(c.operation(port, ui)) << c.name << ": once the router answers";
        EXPECT_TRUE(ui.Messages().empty()) << c.name;
    }
}

}  // namespace
}  // namespace zerandi::test
