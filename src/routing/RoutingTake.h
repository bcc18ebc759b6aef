#pragma once

#include <cstdint>
#include <optional>

namespace zerandi {

class RouterDiagnosticCommPort;
class UiServices;

// A take from the routing grid: the connections view's single take, then, once the router
// has settled, a read of that output, so that the grid shows what the router holds.
class RoutingTake {
public:
    struct Outcome {
        bool taken = false;
        std::optional<int32_t> word;  // what the output reads after the take, when read
    };

    RoutingTake(RouterDiagnosticCommPort& port, UiServices& ui);

    // A take not made, or a read that failed, has been told by the time this returns.
    Outcome Run(uint16_t source, int output);
    // The word the output reads now; nothing when the read failed (and was told).
    std::optional<int32_t> ReadOutput(int output);

private:
    RouterDiagnosticCommPort& port_;
    UiServices& ui_;
};

}  // namespace zerandi
