#include <gtest/gtest.h>

#include <QString>
#include <chrono>
#include <memory>

#include "PtySimulator.h"
#include "SimRouter.h"
#include "protocol/RouterProtocol.h"
#include "serial/PortChoice.h"
#include "serial/QtSerialDevice.h"
#include "serial/SystemClock.h"

namespace zerandi::test {
namespace {

TEST(RecoveryPauseSlowTest, ARefusalReallyPausesBeforeTheTransactionEnds) {
    zsim::SimRouter router;
    zsim::PtySimulator pty(router);
    ASSERT_TRUE(pty.Start());
    SystemClock clock;
    RouterProtocol protocol(std::make_unique<QtSerialDevice>(), clock);
    ASSERT_TRUE(protocol.Reopen(PortChoice::Device(QString::fromStdString(pty.DevicePath())), 9600,
                                8, StopBits::One, Parity::None, 500));
    router.InjectFault({zsim::SimFault::Kind::Refuse, 1, 0x10, -1, 1, {}, 0});

    uint8_t maker = 0;
    uint8_t product = 0;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(protocol.GetProductId(RouterAddress{}, maker, product), CommResult::InvalidData);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_GE(elapsed, std::chrono::milliseconds(RouterProtocol::RecoveryPauseMs(9600)));
}

}  // namespace
}  // namespace zerandi::test
