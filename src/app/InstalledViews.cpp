#include "app/InstalledViews.h"

#include <memory>

#include "app/ZerandiApplication.h"
#include "config/RouterConfigFormView.h"
#include "connect/RouterConnectFormView.h"
#include "connect/RouterMonitorsFormView.h"
#include "flash/RouterFlashFormView.h"
#include "porttypes/RouterPortTypesFormView.h"
#include "routing/RoutingGridView.h"
#include "scramble/RouterScrambleMapFromView.h"
#include "status/RouterStatusMessagesFormView.h"
#include "status/SystemStatusView.h"

namespace zerandi {

void InstallViews(ZerandiApplication& application) {
    // The routing grid takes with the flag bits of the connections view's Settings menu;
    // start-up creates the connections view first.
    auto connections = std::make_shared<RouterConnectFormView*>(nullptr);
    application.SetViewFactory(ViewId::Configuration, [](ViewContext& context) {
        return std::make_unique<RouterConfigFormView>(context.doc);
    });
    application.SetViewFactory(ViewId::StatusMessages, [](ViewContext& context) {
        return std::make_unique<RouterStatusMessagesFormView>(context.doc);
    });
    application.SetViewFactory(ViewId::FlashMemory, [](ViewContext& context) {
        return std::make_unique<RouterFlashFormView>(context.doc);
    });
    application.SetViewFactory(ViewId::Connections, [connections](ViewContext& context) {
        auto view = std::make_unique<RouterConnectFormView>(context.doc);
        *connections = view.get();
        return view;
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
    application.SetViewFactory(
        ViewId::Routing, [connections](ViewContext& context) -> std::unique_ptr<QWidget> {
            if (*connections == nullptr) {
                return nullptr;
            }
            return std::make_unique<RoutingGridView>(context.doc, (*connections)->Settings());
        });
}

}  // namespace zerandi
