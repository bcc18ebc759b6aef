#pragma once

namespace zerandi {

class RouterConfigDoc;
struct ConfigViewSettings;

// Reads the router as "Read All" does, so that a command knows its model and card; true
// when it was identified as one of ours (the failures were told on standard error).
bool ReadRouterIdentity(RouterConfigDoc& doc, ConfigViewSettings& settings);
bool ReadRouterIdentity(RouterConfigDoc& doc);

}  // namespace zerandi
