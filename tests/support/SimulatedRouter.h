#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "serial/PortChoice.h"
#include "sim/PtySimulator.h"
#include "sim/SimRouter.h"

namespace zerandi::test {

// A simulated router served on a pseudo-terminal of its own: the port a test opens to talk
// to it, and the router itself for setting its state and reading what it received.
class SimulatedRouter {
public:
    // Replaces any previous router by a fresh one of this model and serves it; false when
    // the pseudo-terminal could not be opened.
    bool Start(const std::string& model = zsim::SimRouter::kDefaultModel);
    // Stops serving; the router stays readable.
    void Stop();

    PortChoice Port() const;
    zsim::SimRouter& Router() const { return *router_; }
    zsim::PtySimulator& Pty() const { return *pty_; }
    // The source word that feeds `output` (from 1) now, and routing it as a panel would.
    uint16_t SourceOn(int output) const;
    void Route(int output, uint16_t source);
    // Every request the router received, whole frames.
    std::vector<std::vector<uint8_t>> Requests() const { return router_->ReceivedFrames(); }

private:
    std::unique_ptr<zsim::SimRouter> router_;
    std::unique_ptr<zsim::PtySimulator> pty_;  // after router_: it serves the router
};

}  // namespace zerandi::test
