#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "protocol/FacadeFixture.h"

namespace zerandi::test {
namespace {

using Kind = zsim::SimFault::Kind;
constexpr int kDataRouterCommand = 0x48;
constexpr int kSubWrite = 1;
constexpr size_t kQr1207Ports = 128;
constexpr size_t kQr1208Ports = 256;

class DataRouterTablesTest : public FacadeFixture {
protected:
    std::vector<uint8_t> SimulatorPortTypes() const {
        return simulator.Router().Snapshot().portTypes;
    }
    bool flag = false;
    uint8_t value = 0;
};

TEST_F(DataRouterTablesTest, ReadsEveryPortIntoATableOfTheRouterSize) {
    StartRouter("QR1207");
    simulator.Router().Update([](zsim::RouterState& state) {
        state.reverseFlag = 1;
        state.takeDelay = 9;
    });
    std::vector<uint8_t> table(kQr1207Ports, 0xEE);
    EXPECT_TRUE(port.GetDataRouterParameters(flag, value, table));
    EXPECT_EQ(table, SimulatorPortTypes());
    EXPECT_TRUE(flag);
    EXPECT_EQ(value, 9);
    EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(DataRouterTablesTest, MorePortsThanTheTableHoldsShowTheTooManyInputsMessage) {
    StartRouter("QR1207");
    std::vector<uint8_t> table(kQr1207Ports - 28);
    EXPECT_FALSE(port.GetDataRouterParameters(flag, value, table));
    EXPECT_EQ(Boxes(), std::vector<std::string>{Box(
                           "Error in RouterDiagnosticCommPort::GetDataRouterParameters() too many "
                           "inputs received")});
}

TEST_F(DataRouterTablesTest, AFailedReplyShowsItsBox) {
    StartRouter("QR1208");
    InjectFault({.kind = Kind::CorruptChecksum, .command = kDataRouterCommand});
    std::vector<uint8_t> table(kQr1208Ports);
    EXPECT_FALSE(port.GetDataRouterParameters(flag, value, table));
    EXPECT_EQ(Boxes(), std::vector<std::string>{Box("unknown Comm error")});
}

// Every block is sent and every failing block shows its own box; the result is the last
// block's.
TEST_F(DataRouterTablesTest, WritesReportEachFailingBlock) {
    struct Case {
        std::string name;
        size_t ports;
        int refusedBlocks;  // the first blocks refused by the router with "Invalid data"
        bool result;
        size_t blocksSent;
        std::vector<std::string> boxes;
    };
    const std::string invalidData = Box("Error Message Received: \"Invalid data\"");
    const std::vector<Case> cases = {
        {"all written", kQr1208Ports, 0, true, 2, {}},
        {"first refused", kQr1208Ports, 1, false, 2, {invalidData}},
        {"both refused", kQr1208Ports, 2, false, 2, {invalidData, invalidData}},
        // The third block's ports lie beyond the router's 256.
        {"last beyond the router", 300, 0, false, 3, {invalidData}},
        {"first refused, last beyond", 300, 1, false, 3, {invalidData, invalidData}},
        {"empty table", 0, 0, true, 0, {}},
    };
    StartRouter("QR1208");
    for (const Case& c : cases) {
        ClearRecords();
        if (c.refusedBlocks > 0) {
            InjectFault({.kind = Kind::Refuse,
                         .param = 1,
                         .command = kDataRouterCommand,
                         .subCommand = kSubWrite,
                         .times = c.refusedBlocks});
        }
        const std::vector<uint8_t> table(c.ports, 2);
        EXPECT_EQ(port.SetDataRouterParameters(0, 0, table), c.result) << c.name;
        EXPECT_EQ(Requests().size(), c.blocksSent) << c.name;
        EXPECT_EQ(Boxes(), c.boxes) << c.name;
    }
}

TEST_F(DataRouterTablesTest, ATableTooLargeForTheBlockCounterFailsWithABox) {
    StartRouter("QR1208");
    const std::vector<uint8_t> table(257 * RouterProtocol::kPortTypeBlockEntries);
    EXPECT_FALSE(port.SetDataRouterParameters(0, 0, table));
    EXPECT_TRUE(Requests().empty());
    EXPECT_EQ(Boxes(), std::vector<std::string>{Box("unknown Comm error")});
}

}  // namespace
}  // namespace zerandi::test
