#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "PtySimulator.h"
#include "SimRouter.h"
#include "protocol/RouterAddress.h"
#include "protocol/RouterProtocol.h"
#include "support/FakeClock.h"

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

    // The requests the router received, and the data bytes (after the command) of one.
    std::vector<std::vector<uint8_t>> Requests() const { return router->ReceivedFrames(); }
    static std::vector<uint8_t> DataOf(const std::vector<uint8_t>& frame);
    static uint8_t CommandOf(const std::vector<uint8_t>& frame);
    void ClearRecords();

    FakeClock clock;
    std::unique_ptr<zsim::SimRouter> router;
    std::unique_ptr<zsim::PtySimulator> pty;
    RouterProtocol protocol;
    RouterAddress address;
};

}  // namespace zerandi::test
