#include "cli/CliTime.h"

#include <cstdlib>

namespace zerandi {

namespace {

constexpr int kSecondsPerMinute = 60;
constexpr int kMinutesPerHour = 60;

}  // namespace

QString CliTimeText(const QDateTime& moment) {
    const QDateTime local = moment.toLocalTime();
    const int offsetMinutes = local.offsetFromUtc() / kSecondsPerMinute;
    const int absolute = std::abs(offsetMinutes);
    const QString sign = offsetMinutes < 0 ? QStringLiteral("-") : QStringLiteral("+");
    return local.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) + sign +
           QStringLiteral("%1:%2")
               .arg(absolute / kMinutesPerHour, 2, 10, QLatin1Char('0'))
               .arg(absolute % kMinutesPerHour, 2, 10, QLatin1Char('0'));
}

}  // namespace zerandi
