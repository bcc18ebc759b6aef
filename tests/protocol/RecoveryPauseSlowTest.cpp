#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include "protocol/RouterProtocol.h"
#include "serial/QtSerialDevice.h"
#include "serial/SystemClock.h"
#include "support/SimulatedRouter.h"

namespace zerandi::test {
namespace {

TEST(RecoveryPauseSlowTest, ARefusalReallyPausesBeforeTheTransactionEnds) {
    SimulatedRouter simulator;
    ASSERT_TRUE(simulator.Start());
    SystemClock clock;
    RouterProtocol protocol(std::make_unique<QtSerialDevice>(), clock);
    ASSERT_TRUE(protocol.Reopen(simulator.Port(), 9600, 8, StopBits::One, Parity::None, 500));
    simulator.Router().InjectFault(
        {.kind = zsim::SimFault::Kind::Refuse, .param = 1, .command = 0x10});

    uint8_t maker = 0;
    uint8_t product = 0;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(protocol.GetProductId(RouterAddress{}, maker, product), CommResult::InvalidData);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_GE(elapsed, std::chrono::milliseconds(RouterProtocol::RecoveryPauseMs(9600)));
}

}  // namespace
}  // namespace zerandi::test
