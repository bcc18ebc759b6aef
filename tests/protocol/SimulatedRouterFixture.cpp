#include "protocol/SimulatedRouterFixture.h"

#include "serial/QtSerialDevice.h"

namespace zerandi::test {

SimulatedRouterFixture::SimulatedRouterFixture()
    : protocol(std::make_unique<QtSerialDevice>(), clock) {}

void SimulatedRouterFixture::SetUp() {
    StartRouter(zsim::SimRouter::kDefaultModel);
}

void SimulatedRouterFixture::TearDown() {
    protocol.Close();
    simulator.Stop();
}

void SimulatedRouterFixture::StartRouter(const std::string& model) {
    protocol.Close();
    ASSERT_TRUE(simulator.Start(model));
    ASSERT_TRUE(ReopenLink());
}

bool SimulatedRouterFixture::ReopenLink() {
    return protocol.Reopen(simulator.Port(), kBaud, 8, StopBits::One, Parity::None,
                           kRestingReadTimeoutMs);
}

void SimulatedRouterFixture::ClearRecords() {
    simulator.Router().ClearReceivedFrames();
    clock.ClearSleeps();
}

}  // namespace zerandi::test
