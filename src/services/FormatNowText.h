#pragma once

#include <QDateTime>
#include <QString>

namespace zerandi {

// "Mon Dec  7 13:02:31 2026": English names whatever the user's locale, the day of the
// month right-aligned in two characters, no line end.
QString FormatTimeText(const QDateTime& time);

// FormatTimeText of the current local time.
QString FormatNowText();

}  // namespace zerandi
