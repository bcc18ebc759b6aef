#include "config/ControlCardText.h"

namespace zerandi {

bool IsExtendedControlCard(const ControlCardInfo& card) {
    return card.IsExtendedControlCard();
}

QString FormatCardNumber(const ControlCardInfo& card) {
    if (card.partNumber < 0) {
        return QStringLiteral("unknown");
    }
    return QStringLiteral("CC") + QString::number(card.partNumber).rightJustified(4, u'0');
}

}  // namespace zerandi
