#pragma once

#include <QDateTime>
#include <QString>

namespace zerandi {

// A moment as zerandi-cli reports it: ISO 8601 local time with its offset from UTC,
// "2026-12-09T16:45:02+01:00", also "+00:00" where the local time is UTC.
QString CliTimeText(const QDateTime& moment);

}  // namespace zerandi
