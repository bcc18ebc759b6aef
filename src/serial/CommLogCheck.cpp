#include "serial/CommLogCheck.h"

#include <QRegularExpression>
#include <algorithm>
#include <array>

#include "serial/CommLogFormat.h"

namespace zerandi {

namespace {

bool IsLogLine(const QString& line) {
    static const QRegularExpression kTimeLine(comm_log::kTimeLinePattern);
    const std::array<QString, 5> eventLabels{comm_log::kLogStartedLabel, comm_log::kLogClosedLabel,
                                             comm_log::kPortOpenedLabel, comm_log::kPortClosedLabel,
                                             comm_log::kLowLatencyLabel};
    const auto begins = [&](const QString& label) { return line.startsWith(label); };
    return std::any_of(eventLabels.begin(), eventLabels.end(), begins) ||
           std::any_of(comm_log::kDirectionLabels.begin(), comm_log::kDirectionLabels.end(),
                       begins) ||
           kTimeLine.match(line).hasMatch();
}

}  // namespace

bool IsCommLogText(const QString& text) {
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        if (!line.trimmed().isEmpty()) {
            return IsLogLine(line);
        }
    }
    return false;
}

}  // namespace zerandi
