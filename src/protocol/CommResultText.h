#pragma once

#include <QString>

#include "protocol/CommResult.h"

namespace zerandi {

// The text of the warning box that tells the user a transaction failed; empty for success
// and for a time-out, which fail without a box.
QString CommResultText(CommResult result);

}  // namespace zerandi
