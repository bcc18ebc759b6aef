#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "protocol/RouterAddress.h"
#include "protocol/RouterProtocol.h"
#include "support/FakeClock.h"
#include "support/FrameFields.h"
#include "support/SimulatedRouter.h"

namespace zerandi::test {

// A simulated router served on a pseudo-terminal, and the protocol opened on it at 9600
// baud with a clock that records its pauses.
class SimulatedRouterFixture : public ::testing::Test {
protected:
    SimulatedRouterFixture();

    static constexpr uint32_t kBaud = 9600;
    static constexpr uint32_t kRestingReadTimeoutMs = 500;
    static constexpr uint32_t kRecoveryMs = 596;  // the recovery pause at 9600 baud

    void SetUp() override;
    void TearDown() override;

    // Replaces the router by a fresh one of this model and reopens the link on it.
    void StartRouter(const std::string& model);
    bool ReopenLink();

    std::vector<std::vector<uint8_t>> Requests() const { return simulator.Requests(); }
    void ClearRecords();

    FakeClock clock;
    SimulatedRouter simulator;
    RouterProtocol protocol;
    RouterAddress address;
};

}  // namespace zerandi::test
