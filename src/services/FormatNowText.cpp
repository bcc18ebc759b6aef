#include "services/FormatNowText.h"

#include <QLocale>
#include <QStringList>

namespace zerandi {

QString FormatTimeText(const QDateTime& time) {
    const QLocale c = QLocale::c();
    const QDate date = time.date();
    return QStringList{c.dayName(date.dayOfWeek(), QLocale::ShortFormat),
                       c.monthName(date.month(), QLocale::ShortFormat),
                       QString::number(date.day()).rightJustified(2),
                       time.time().toString(QStringLiteral("hh:mm:ss")),
                       QString::number(date.year())}
        .join(QLatin1Char(' '));
}

QString FormatNowText() {
    return FormatTimeText(QDateTime::currentDateTime());
}

}  // namespace zerandi
