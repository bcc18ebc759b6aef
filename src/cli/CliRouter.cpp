#include "cli/CliRouter.h"

#include "config/ConfigReadSequence.h"
#include "config/ConfigViewSettings.h"
#include "config/RouterConfigDoc.h"

namespace zerandi {

bool ReadRouterIdentity(RouterConfigDoc& doc, ConfigViewSettings& settings) {
    ConfigReadSequence(doc, settings).Run();
    return doc.ProductKnown();
}

bool ReadRouterIdentity(RouterConfigDoc& doc) {
    ConfigViewSettings settings;
    return ReadRouterIdentity(doc, settings);
}

}  // namespace zerandi
