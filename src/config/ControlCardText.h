#pragma once

#include <QString>

#include "protocol/ControlCardInfo.h"

namespace zerandi {

// The cards on which the views offer their additional functions.
bool IsExtendedControlCard(const ControlCardInfo& card);

// "CC0209" for part number 209; "unknown" for a card never read.
QString FormatCardNumber(const ControlCardInfo& card);

}  // namespace zerandi
