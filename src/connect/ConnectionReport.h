#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <span>

namespace zerandi {

// The connection report: the header block of the program's text files, the router model
// and the physical connections list in fixed columns ("\n" line ends; stored as CR LF).
struct ConnectionReportInput {
    bool productKnown = false;
    int32_t productId = 0;
    bool dataRouter = false;
    QStringList rows;  // the list's rows as shown, tabs included
};

QString ConnectionReportText(const ConnectionReportInput& input);

// The line with its first tabs turned into spaces: the text before the first tab, then for
// each stop the padding up to that column and the text up to the next tab; whatever is
// left (tabs included) follows. A stop of 0, or one already passed, adds no padding.
QString ExpandTabs(const QString& line, std::span<const int> stops);

// The column stops of the report's list.
std::span<const int> ReportColumnStops();

}  // namespace zerandi
