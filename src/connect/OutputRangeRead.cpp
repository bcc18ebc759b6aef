#include "connect/OutputRangeRead.h"

#include "connect/ConnectTexts.h"
#include "protocol/RouterDiagnosticCommPort.h"
#include "services/BusyScope.h"
#include "services/UiServices.h"

namespace zerandi {

OutputRangeRead::OutputRangeRead(RouterDiagnosticCommPort& port, UiServices& ui)
    : port_(port), ui_(ui) {}

std::optional<std::vector<int32_t>> OutputRangeRead::Run(int first, int last) {
    std::vector<int32_t> words(static_cast<size_t>(last - first + 1));
    bool read = false;
    {
        BusyScope busy(ui_);
        read = port_.GetCrosspointStatus(first, last, words);
    }
    if (!read) {
        ui_.showMessage(kReadOutputsFailedText, MessageIcon::Warning);
        return std::nullopt;
    }
    return words;
}

}  // namespace zerandi
