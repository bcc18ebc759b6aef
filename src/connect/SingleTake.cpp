#include "connect/SingleTake.h"

#include "connect/ConnectTexts.h"
#include "protocol/RouterDiagnosticCommPort.h"
#include "services/BusyScope.h"
#include "services/UiServices.h"

namespace zerandi {

SingleTake::SingleTake(RouterDiagnosticCommPort& port, UiServices& ui) : port_(port), ui_(ui) {}

bool SingleTake::Run(uint16_t source, uint16_t output, std::optional<int> timestamp) {
    bool taken = false;
    {
        BusyScope busy(ui_);
        taken = timestamp ? port_.TimedTake(source, output, static_cast<uint16_t>(*timestamp))
                          : port_.Take(source, output);
    }
    if (!taken) {
        ui_.showMessage(kTakeFailedText, MessageIcon::Warning);
    }
    return taken;
}

}  // namespace zerandi
