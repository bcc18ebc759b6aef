#include "routing/RoutingTake.h"

#include <vector>

#include "connect/OutputRangeRead.h"
#include "connect/SingleTake.h"
#include "connect/TakeRules.h"
#include "services/UiServices.h"

namespace zerandi {

RoutingTake::RoutingTake(RouterDiagnosticCommPort& port, UiServices& ui) : port_(port), ui_(ui) {}

RoutingTake::Outcome RoutingTake::Run(uint16_t source, int output) {
    if (!SingleTake(port_, ui_).Run(source, static_cast<uint16_t>(output), std::nullopt)) {
        return {};
    }
    ui_.sleep(kReadAfterTakeDelayMs);
    return {true, ReadOutput(output)};
}

std::optional<int32_t> RoutingTake::ReadOutput(int output) {
    const std::optional<std::vector<int32_t>> words =
        OutputRangeRead(port_, ui_).Run(output, output);
    if (!words || words->empty()) {
        return std::nullopt;
    }
    return words->front();
}

}  // namespace zerandi
