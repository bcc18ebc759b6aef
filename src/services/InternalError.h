#pragma once

#include <QString>

#include "services/UiServices.h"

namespace zerandi {

// Shows the "Internal SW ERROR" warning box for a missing pointer or argument that a
// caller should have supplied; the whole text is cut to what the box can hold.
void ReportInternalError(UiServices& ui, const QString& message);

}  // namespace zerandi
