#pragma once

#include <QString>
#include <cstdint>

namespace zerandi {

// Name of the control protocol the router's controller runs; "unknown" outside 0-10.
QString ProtocolName(int32_t protocol);

}  // namespace zerandi
