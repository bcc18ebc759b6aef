#include "InstalledViews.h"

#include <memory>

#include "config/RouterConfigFormView.h"
#include "flash/RouterFlashFormView.h"
#include "shell/ZerandiApplication.h"

namespace zerandi {

void InstallViews(ZerandiApplication& application) {
    application.SetViewFactory(ViewId::Configuration, [](ViewContext& context) {
        return std::make_unique<RouterConfigFormView>(context.doc);
    });
    application.SetViewFactory(ViewId::FlashMemory, [](ViewContext& context) {
        return std::make_unique<RouterFlashFormView>(context.doc);
    });
}

}  // namespace zerandi
