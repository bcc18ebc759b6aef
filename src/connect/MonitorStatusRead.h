#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace zerandi {

class RouterDiagnosticCommPort;
class UiServices;

// Reads which output each monitor output of the router shows, for the monitors view and the
// command line. The busy state covers the transaction; a failure is told by the transaction's
// own message alone.
class MonitorStatusRead {
public:
    MonitorStatusRead(RouterDiagnosticCommPort& port, UiServices& ui);

    // The words of monitors 1 to the model's monitor count, in order: TriStateSource for a
    // monitor that shows nothing. A model without monitor outputs reads as none, with nothing
    // sent; a failed read gives nothing.
    std::optional<std::vector<int32_t>> Run(int32_t productId);

private:
    RouterDiagnosticCommPort& port_;
    UiServices& ui_;
};

}  // namespace zerandi
