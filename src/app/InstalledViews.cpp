#include "app/InstalledViews.h"

#include <memory>

#include "app/ZerandiApplication.h"
#include "config/RouterConfigFormView.h"
#include "connect/RouterConnectFormView.h"
#include "connect/RouterMonitorsFormView.h"
#include "flash/RouterFlashFormView.h"
#include "porttypes/RouterPortTypesFormView.h"
#include "scramble/RouterScrambleMapFromView.h"
#include "status/RouterStatusMessagesFormView.h"
#include "status/SystemStatusView.h"

namespace zerandi {

void InstallViews(ZerandiApplication& application) {
    application.SetViewFactory(ViewId::Configuration, [](ViewContext& context) {
        return std::make_unique<RouterConfigFormView>(context.doc);
    });
    application.SetViewFactory(ViewId::StatusMessages, [](ViewContext& context) {
        return std::make_unique<RouterStatusMessagesFormView>(context.doc);
    });
    application.SetViewFactory(ViewId::FlashMemory, [](ViewContext& context) {
        return std::make_unique<RouterFlashFormView>(context.doc);
    });
    application.SetViewFactory(ViewId::Connections, [](ViewContext& context) {
        return std::make_unique<RouterConnectFormView>(context.doc);
    });
    application.SetViewFactory(ViewId::Monitors, [](ViewContext& context) {
        return std::make_unique<RouterMonitorsFormView>(context.doc);
    });
    application.SetViewFactory(ViewId::PortTypes, [](ViewContext& context) {
        return std::make_unique<RouterPortTypesFormView>(context.doc);
    });
    application.SetViewFactory(ViewId::ScrambleMap, [](ViewContext& context) {
        return std::make_unique<RouterScrambleMapFromView>(context.doc);
    });
    application.SetViewFactory(ViewId::SystemStatus, [](ViewContext& context) {
        return std::make_unique<SystemStatusView>(context.doc);
    });
}

}  // namespace zerandi
