#pragma once

#include <cstdint>
#include <optional>

namespace zerandi {

class RouterDiagnosticCommPort;
class UiServices;

// One take of a source word (see SingleTakeSource) to an output, from the connections view's
// "Execute" or the command line's take: a timed take when a timestamp is given. The busy state
// covers the transaction; a take not made is told after the transaction's own message, once
// the busy state has ended.
class SingleTake {
public:
    SingleTake(RouterDiagnosticCommPort& port, UiServices& ui);

    // True when the router made the take. A timestamp runs from 0 to 65535.
    bool Run(uint16_t source, uint16_t output, std::optional<int> timestamp);

private:
    RouterDiagnosticCommPort& port_;
    UiServices& ui_;
};

}  // namespace zerandi
