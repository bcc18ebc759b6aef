#include "connect/MonitorStatusRead.h"

#include "config/RouterModelTables.h"
#include "protocol/RouterDiagnosticCommPort.h"
#include "services/BusyScope.h"

namespace zerandi {

MonitorStatusRead::MonitorStatusRead(RouterDiagnosticCommPort& port, UiServices& ui)
    : port_(port), ui_(ui) {}

std::optional<std::vector<int32_t>> MonitorStatusRead::Run(int32_t productId) {
    const int count = ModelMonitorCount(productId);
    if (count <= 0) {
        return std::vector<int32_t>{};
    }
    std::vector<int32_t> words(static_cast<size_t>(count));
    BusyScope busy(ui_);
    if (!port_.GetMonitorStatus(count, words)) {
        return std::nullopt;
    }
    return words;
}

}  // namespace zerandi
