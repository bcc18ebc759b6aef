#pragma once

#include <string>

#include "PtySimulator.h"
#include "SimRouter.h"

namespace zsim {

// A simulated router of one model served on its own pseudo-terminal for as long as the
// object lives: the built-in router of `zerandi --simulate` and `zerandi-cli --simulate`.
class ServedRouter {
public:
    explicit ServedRouter(const std::string& model) : router_(model), pty_(router_) {}

    bool Start() { return pty_.Start(); }
    std::string DevicePath() const { return pty_.DevicePath(); }

private:
    SimRouter router_;
    PtySimulator pty_;  // after router_: it serves the router
};

}  // namespace zsim
