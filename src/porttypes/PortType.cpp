#include "porttypes/PortType.h"

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

}  // namespace zerandi
