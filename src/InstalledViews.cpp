#include "InstalledViews.h"

#include <memory>

#include "config/RouterConfigFormView.h"
#include "porttypes/RouterPortTypesFormView.h"
#include "shell/ZerandiApplication.h"

namespace zerandi {

void InstallViews(ZerandiApplication& application) {
    application.SetViewFactory(ViewId::Configuration, [](ViewContext& context) {
        return std::make_unique<RouterConfigFormView>(context.doc);
    });
    application.SetViewFactory(ViewId::PortTypes, [](ViewContext& context) {
        return std::make_unique<RouterPortTypesFormView>(context.doc);
    });
}

}  // namespace zerandi
