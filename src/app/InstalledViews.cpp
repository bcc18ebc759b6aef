#include "app/InstalledViews.h"

#include <memory>

#include "app/ZerandiApplication.h"
#include "config/RouterConfigFormView.h"

namespace zerandi {

void InstallViews(ZerandiApplication& application) {
    application.SetViewFactory(ViewId::Configuration, [](ViewContext& context) {
        return std::make_unique<RouterConfigFormView>(context.doc);
    });
}

}  // namespace zerandi
