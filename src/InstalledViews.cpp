#include "InstalledViews.h"

#include <memory>

#include "config/RouterConfigFormView.h"
#include "shell/ZerandiApplication.h"
#include "status/RouterStatusMessagesFormView.h"

namespace zerandi {

void InstallViews(ZerandiApplication& application) {
    application.SetViewFactory(ViewId::Configuration, [](ViewContext& context) {
        return std::make_unique<RouterConfigFormView>(context.doc);
    });
    application.SetViewFactory(ViewId::StatusMessages, [](ViewContext& context) {
        return std::make_unique<RouterStatusMessagesFormView>(context.doc);
    });
}

}  // namespace zerandi
