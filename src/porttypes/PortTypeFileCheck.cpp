#include "porttypes/PortTypeFileCheck.h"

#include <algorithm>

#include "porttypes/PortType.h"
#include "porttypes/PortTypeFile.h"

namespace zerandi {

std::optional<QString> PortTypeFileCheck::Problem(const QByteArray& bytes) {
    if (bytes.isEmpty()) {
        return QStringLiteral("it is empty.");
    }
    if (bytes.size() > PortTypeFile::kFileBytes) {
        return QStringLiteral("it holds %1 bytes, and a port-type file %2.")
            .arg(bytes.size())
            .arg(PortTypeFile::kFileBytes);
    }
    const auto unknown = std::find_if(bytes.begin(), bytes.end(), [](char byte) {
        return !IsKnownPortType(static_cast<uint8_t>(byte));
    });
    if (unknown != bytes.end()) {
        return QStringLiteral("byte %1 holds %2, which is no port type (0 to %3).")
            .arg(unknown - bytes.begin() + 1)
            .arg(static_cast<uint8_t>(*unknown))
            .arg(kPortTypeCount - 1);
    }
    return std::nullopt;
}

size_t PortTypeFileCheck::PortsHeld(const QByteArray& bytes) {
    return static_cast<size_t>(std::min(bytes.size(), PortTypeFile::kFileBytes));
}

}  // namespace zerandi
