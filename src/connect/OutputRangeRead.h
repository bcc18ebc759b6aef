#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace zerandi {

class RouterDiagnosticCommPort;
class UiServices;

// Reads which source word feeds each output of a range: the connections view's "Read" and
// "Read All Outputs", and the command line's reads and salvo captures. A data router's words
// keep their flag bits. The busy state covers the transaction; a failed read is told after
// the transaction's own message, once the busy state has ended.
class OutputRangeRead {
public:
    OutputRangeRead(RouterDiagnosticCommPort& port, UiServices& ui);

    // The words of outputs first..last (1 <= first <= last) in output order; nothing once a
    // failure was told.
    std::optional<std::vector<int32_t>> Run(int first, int last);

private:
    RouterDiagnosticCommPort& port_;
    UiServices& ui_;
};

}  // namespace zerandi
