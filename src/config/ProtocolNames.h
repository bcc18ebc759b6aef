#pragma once

#include <QString>
#include <cstdint>

namespace zerandi {

// Name of the control protocol the router's controller runs; "unknown" for a number no protocol
// has.
QString ProtocolName(int32_t protocol);

}  // namespace zerandi
