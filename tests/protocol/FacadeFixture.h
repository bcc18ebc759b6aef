#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "protocol/RouterDiagnosticCommPort.h"
#include "support/FakeClock.h"
#include "support/FrameFields.h"
#include "support/ScriptedUiServices.h"
#include "support/SimulatedRouter.h"

namespace zerandi::test {

// The facade opened on a simulated router over a pseudo-terminal at 9600 baud, with a
// scripted UI that records every box and a clock that records the pauses. Tests of the
// transactions themselves use the protocol beneath the facade.
class FacadeFixture : public ::testing::Test {
protected:
    FacadeFixture();

    static constexpr uint32_t kBaud = 9600;
    static constexpr uint32_t kRestingReadTimeoutMs = 500;
    static constexpr uint32_t kRecoveryMs = 596;  // the recovery pause at 9600 baud

    void SetUp() override;
    void TearDown() override;

    // Replaces the router by a fresh one of this model and reopens the link on it.
    void StartRouter(const std::string& model);
    void InjectFault(const zsim::SimFault& fault) { simulator.Router().InjectFault(fault); }
    // Forgets the frames, boxes and pauses seen so far.
    void ClearRecords();

    std::vector<std::vector<uint8_t>> Requests() const { return simulator.Requests(); }
    // One recorded box as "text|icon|caption", so that a whole sequence compares at once.
    std::vector<std::string> Boxes() const;
    static std::string Box(const std::string& text, const std::string& caption = {});

    ScriptedUiServices ui;
    FakeClock clock;
    SimulatedRouter simulator;
    RouterDiagnosticCommPort port;
    RouterProtocol& protocol = port;
    const RouterAddress& address = port.Address();
};

}  // namespace zerandi::test
