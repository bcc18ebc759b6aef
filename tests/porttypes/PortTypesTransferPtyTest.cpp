#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "config/RouterConfigDoc.h"
#include "porttypes/PortTypesTransfer.h"
#include "serial/QtSerialDevice.h"
#include "support/FakeClock.h"
#include "support/ScriptedUiServices.h"
#include "support/SimulatedRouter.h"

namespace zerandi::test {
namespace {

constexpr uint32_t kBaud = 115200;
constexpr int kDataRouterParameters = 0x48;
constexpr uint16_t kStandardCard = 209;
constexpr uint16_t kExtendedCard = 263;
constexpr int kCannotExecuteCode = 3;

// The port types transfer over a data router on a pseudo-terminal whose model and control
// card the document already knows, with fresh scripted services for each router.
class PortTypesTransferPtyTest : public ::testing::Test {
protected:
    void StartRouter(const std::string& model, uint16_t card, uint8_t reverseFlag = 0) {
        doc.reset();
        ui = std::make_unique<ScriptedUiServices>();
        ui->OnMessage(
            [this](const ScriptedUiServices::Message&) { busyAtMessage.push_back(ui->isBusy()); });
        busyAtMessage.clear();
        ASSERT_TRUE(simulator.Start(model));
        simulator.Router().Update([&](zsim::RouterState& s) {
            s.cardPartNumber = card;
            s.reverseFlag = reverseFlag;
        });
        doc = std::make_unique<RouterConfigDoc>(*ui, std::make_unique<QtSerialDevice>(), clock,
                                                simulator.Port(), kBaud);
        doc->controlCard.partNumber = card;
        doc->SetProductId(Router().productId);
    }
    zsim::RouterState Router() const { return simulator.Router().Snapshot(); }
    PortTypesTable TableOf(PortType type, bool reverse, int takeDelay) const {
        return {std::vector<PortType>(PortTypesTransfer(*doc).PortCount(), type), reverse,
                takeDelay};
    }

    std::unique_ptr<ScriptedUiServices> ui;
    std::vector<bool> busyAtMessage;
    FakeClock clock;
    SimulatedRouter simulator;
    std::unique_ptr<RouterConfigDoc> doc;
};

TEST_F(PortTypesTransferPtyTest, OnlyAStandardCardIsSentTheReverseChoice) {
    struct Case {
        uint16_t card;
        bool reverse;
        uint8_t sent;
    };
    for (const Case c : {Case{kStandardCard, true, 1}, Case{kStandardCard, false, 0},
                         Case{kExtendedCard, true, 0}, Case{kExtendedCard, false, 0}}) {
        StartRouter("QR1207", c.card, static_cast<uint8_t>(1 - c.sent));
        EXPECT_TRUE(PortTypesTransfer(*doc).Write(TableOf(2, c.reverse, 300))) << c.card;

        const zsim::RouterState router = Router();
        EXPECT_EQ(router.reverseFlag, c.sent) << c.card << " reverse " << c.reverse;
        EXPECT_EQ(router.takeDelay, 44) << c.card;
        EXPECT_EQ(router.portTypes, std::vector<uint8_t>(128, 2)) << c.card;
        EXPECT_TRUE(ui->Messages().empty()) << c.card;
        EXPECT_EQ(ui->Sleeps(), std::vector<int>{RouterConfigDoc::kWriteSettleMs}) << c.card;
        EXPECT_EQ(ui->BusyBegins(), 1) << c.card;
        EXPECT_FALSE(ui->isBusy()) << c.card;
    }
}

// The read is answered in two frames, the second broken: what the first brought must not
// reach the caller's table.
TEST_F(PortTypesTransferPtyTest, AFailedTransferIsToldAfterTheBusyStateAndChangesNothing) {
    struct Case {
        const char* name;
        zsim::SimFault fault;
        std::function<bool(PortTypesTransfer&, PortTypesTable&)> transfer;
        QString told;
    };
    const Case cases[] = {
        {"read",
         {zsim::SimFault::Kind::CorruptChecksum, 0, kDataRouterParameters, 0, 1, {}, 1},
         [](PortTypesTransfer& t, PortTypesTable& table) { return t.Read(table); },
         QStringLiteral("Unable to read the Port Type data from the Router.")},
        {"write",
         {zsim::SimFault::Kind::Refuse, kCannotExecuteCode, kDataRouterParameters, -1, 10},
         [](PortTypesTransfer& t, PortTypesTable& table) { return t.Write(table); },
         QStringLiteral("Unable to write the Port Config. data.")},
    };
    for (const Case& c : cases) {
        StartRouter("QR1208", kStandardCard);
        simulator.Router().Update([](zsim::RouterState& s) {
            std::fill(s.portTypes.begin(), s.portTypes.end(), uint8_t{1});
        });
        simulator.Router().InjectFault(c.fault);
        PortTypesTransfer transfer(*doc);
        PortTypesTable table = TableOf(4, true, 77);
        const std::vector<PortType> before = table.types;

        EXPECT_FALSE(c.transfer(transfer, table)) << c.name;
        EXPECT_EQ(table.types, before) << c.name;
        EXPECT_TRUE(table.reverse && table.takeDelay == 77) << c.name;
        EXPECT_EQ(Router().portTypes, std::vector<uint8_t>(256, 1)) << c.name;
        ASSERT_FALSE(ui->Messages().empty()) << c.name;
        EXPECT_EQ(ui->Messages().back().text, c.told) << c.name;
        EXPECT_EQ(ui->Messages().back().icon, MessageIcon::Warning) << c.name;
        EXPECT_FALSE(busyAtMessage.back()) << c.name;
        EXPECT_TRUE(ui->Sleeps().empty()) << c.name;
    }
}

}  // namespace
}  // namespace zerandi::test
