#include "porttypes/PortType.h"

#include <algorithm>

#include "porttypes/PortTypeFile.h"

namespace zerandi {

QString PortTypeListName(PortType code) {
    return IsKnownPortType(code) ? QString::fromLatin1(kPortTypeListNames.at(code))
                                 : QStringLiteral("Unknown");
}

int PortTypeButtonCode(PortType code) {
    return IsKnownPortType(code) ? code : 0;
}

QString PortRowText(size_t index, PortType code) {
    return QStringLiteral("\t%1\t%2").arg(index + 1).arg(PortTypeListName(code));
}

size_t RouterPortCount(int32_t inputCount) {
    return std::min(static_cast<size_t>(std::max(inputCount, 0)),
                    static_cast<size_t>(PortTypeFile::kFileBytes));
}

std::vector<uint8_t> PortTypeWireCodes(const std::vector<PortType>& types) {
    std::vector<uint8_t> codes;
    codes.reserve(types.size());
    for (const PortType code : types) {
        codes.push_back(IsKnownPortType(code) ? static_cast<uint8_t>(code) : 0);
    }
    return codes;
}

}  // namespace zerandi
