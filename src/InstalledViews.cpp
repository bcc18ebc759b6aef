#include "InstalledViews.h"

#include <memory>

#include "config/RouterConfigFormView.h"
#include "porttypes/RouterPortTypesFormView.h"
#include "scramble/RouterScrambleMapFromView.h"
#include "shell/ZerandiApplication.h"

namespace zerandi {

void InstallViews(ZerandiApplication& application) {
    application.SetViewFactory(ViewId::Configuration, [](ViewContext& context) {
        return std::make_unique<RouterConfigFormView>(context.doc);
    });
    application.SetViewFactory(ViewId::PortTypes, [](ViewContext& context) {
        return std::make_unique<RouterPortTypesFormView>(context.doc);
    });
    application.SetViewFactory(ViewId::ScrambleMap, [](ViewContext& context) {
        return std::make_unique<RouterScrambleMapFromView>(context.doc);
    });
}

}  // namespace zerandi
