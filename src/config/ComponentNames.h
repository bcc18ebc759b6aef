#pragma once

#include <QString>
#include <cstdint>

#include "protocol/SoftwareVersion.h"

namespace zerandi {

// Short name of a firmware component, e.g. "Mtrx Appl"; empty for an unknown type.
QString ComponentName(int32_t componentType, int32_t imageKind);

// "Mtrx Appl:: Ver:2.10.3, Part#:SV0123-021003", then ",Rev:" and the part string when
// there is one.
QString FormatVersionLine(const SoftwareVersion& version);

}  // namespace zerandi
