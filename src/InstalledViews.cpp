#include "InstalledViews.h"

#include <memory>

#include "config/RouterConfigFormView.h"
#include "connect/RouterConnectFormView.h"
#include "connect/RouterMonitorsFormView.h"
#include "shell/ZerandiApplication.h"

namespace zerandi {

void InstallViews(ZerandiApplication& application) {
    application.SetViewFactory(ViewId::Configuration, [](ViewContext& context) {
        return std::make_unique<RouterConfigFormView>(context.doc);
    });
    application.SetViewFactory(ViewId::Connections, [](ViewContext& context) {
        return std::make_unique<RouterConnectFormView>(context.doc);
    });
    application.SetViewFactory(ViewId::Monitors, [](ViewContext& context) {
        return std::make_unique<RouterMonitorsFormView>(context.doc);
    });
}

}  // namespace zerandi
