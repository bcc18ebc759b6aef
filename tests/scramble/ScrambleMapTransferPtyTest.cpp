#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "config/RouterConfigDoc.h"
#include "scramble/ScrambleMapTransfer.h"
#include "serial/QtSerialDevice.h"
#include "support/FakeClock.h"
#include "support/ScriptedUiServices.h"
#include "support/SimulatedRouter.h"

namespace zerandi::test {
namespace {

constexpr uint32_t kBaud = 115200;
constexpr int kScrambleTable = 0x46;
constexpr int kCannotExecuteCode = 3;
constexpr int kFirstOutputBlock = 8;  // the read's replies: eight blocks of inputs, then outputs

// The scramble map transfer over a router on a pseudo-terminal whose model the document
// already knows; every word of the router's table differs from the default map's.
class ScrambleMapTransferPtyTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(simulator.Start("QS1214"));
        simulator.Router().Update([](zsim::RouterState& s) {
            for (size_t i = 0; i < s.scramble.size(); ++i) {
                s.scramble[i] = static_cast<uint16_t>(1000 + i);
            }
        });
        doc = std::make_unique<RouterConfigDoc>(ui, std::make_unique<QtSerialDevice>(), clock,
                                                simulator.Port(), kBaud);
        doc->SetProductId(simulator.Router().Snapshot().productId);
        ui.OnMessage(
            [this](const ScriptedUiServices::Message&) { busyAtMessage.push_back(ui.isBusy()); });
    }

    ScriptedUiServices ui;
    std::vector<bool> busyAtMessage;
    FakeClock clock;
    SimulatedRouter simulator;
    std::unique_ptr<RouterConfigDoc> doc;
};

// The failed read has taken in every input block before a broken output block: none of
// it may reach the caller's map.
TEST_F(ScrambleMapTransferPtyTest, AFailedTransferIsToldAfterTheBusyStateAndChangesNothing) {
    struct Case {
        const char* name;
        zsim::SimFault fault;
        std::function<bool(ScrambleMapTransfer&, ScrambleMap&)> transfer;
        QString told;
    };
    const Case cases[] = {
        {"read",
         {zsim::SimFault::Kind::CorruptChecksum, 0, kScrambleTable, 0, 1, {}, kFirstOutputBlock},
         [](ScrambleMapTransfer& t, ScrambleMap& map) { return t.Read(map); },
         QStringLiteral("Unable to read the Scramble Table of the Router.")},
        {"write",
         {zsim::SimFault::Kind::Refuse, kCannotExecuteCode, kScrambleTable, -1, 10},
         [](ScrambleMapTransfer& t, ScrambleMap& map) { return t.Write(map); },
         QStringLiteral("Scramble Map write failed!!")},
    };
    for (const Case& c : cases) {
        ui.ClearMessages();
        busyAtMessage.clear();
        const auto routerBefore = simulator.Router().Snapshot().scramble;
        simulator.Router().InjectFault(c.fault);
        ScrambleMapTransfer transfer(*doc);
        ScrambleMap map = transfer.RouterMap();
        map.inputs[3] = ScrambleEntry{77, 78, QStringLiteral("Camera 4")};
        const ScrambleMap before = map;

        EXPECT_FALSE(c.transfer(transfer, map)) << c.name;
        EXPECT_TRUE(map.inputs == before.inputs && map.outputs == before.outputs) << c.name;
        EXPECT_EQ(simulator.Router().Snapshot().scramble, routerBefore) << c.name;
        ASSERT_FALSE(ui.Messages().empty()) << c.name;
        EXPECT_EQ(ui.Messages().back().text, c.told) << c.name;
        EXPECT_EQ(ui.Messages().back().icon, MessageIcon::Warning) << c.name;
        EXPECT_FALSE(busyAtMessage.back()) << c.name;
        EXPECT_FALSE(ui.isBusy()) << c.name;
    }
}

}  // namespace
}  // namespace zerandi::test
