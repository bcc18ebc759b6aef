#include "cli/CliReset.h"

#include "cli/CliContext.h"
#include "cli/CliResult.h"
#include "cli/CliUiServices.h"
#include "config/RouterConfigDoc.h"
#include "protocol/RouterDiagnosticCommPort.h"
#include "status/ControllerStates.h"

namespace zerandi {

namespace {

const QString kResetLabel = QStringLiteral("Reset");
const QString kNotResetText = QStringLiteral("The controller was not reset; use --yes to reset.");

}  // namespace

CliExit AskToResetController(CliContext& context, const QString& question, bool* wasReset) {
    CliUiServices& ui = context.Ui();
    if (ui.showMessage(question, MessageIcon::Warning, MessageButtons::YesNo) !=
        MessageAnswer::Yes) {
        ui.TellInformation(kNotResetText);
        context.Result().Add(kResetLabel, false);
        return CliExit::Ok;
    }
    const bool reset = context.Doc().CommPort().ResetController();
    context.Result().Add(kResetLabel, reset);
    if (wasReset != nullptr) {
        *wasReset = reset;
    }
    if (!reset) {
        ui.showMessage(kControllerResetFailedText, MessageIcon::Warning);
        return CliExit::RouterFailed;
    }
    return CliExit::Ok;
}

}  // namespace zerandi
