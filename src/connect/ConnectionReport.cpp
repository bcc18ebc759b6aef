#include "connect/ConnectionReport.h"

#include <QTextStream>
#include <array>

#include "config/RouterModelTables.h"
#include "connect/ConnectionRows.h"
#include "services/FileHeader.h"

namespace zerandi {

namespace {

constexpr std::array<int, 4> kReportStops{11, 16, 20, 0};
const QString kReportTitle = QStringLiteral("Router Connections in Report (.TXT) format");

QString UnderlineLine(bool dataRouter) {
    return dataRouter ? QStringLiteral("------\t\t  ------      -----")
                      : QStringLiteral("\t------\t------------");
}

// Moves the text up to the next tab of `rest` (or all of it) to `result`, tab dropped.
void TakeField(QString& result, QString& rest) {
    const qsizetype tab = rest.indexOf(u'\t');
    if (tab < 0) {
        result += rest;
        rest.clear();
        return;
    }
    result += rest.left(tab);
    rest.remove(0, tab + 1);
}

}  // namespace

std::span<const int> ReportColumnStops() {
    return kReportStops;
}

QString ExpandTabs(const QString& line, std::span<const int> stops) {
    QString result;
    QString rest = line;
    if (rest.contains(u'\t')) {
        TakeField(result, rest);
    }
    for (const int stop : stops) {
        if (result.size() < stop) {
            result += QString(stop - result.size(), u' ');
        }
        TakeField(result, rest);
    }
    return result + rest;
}

QString ConnectionReportText(const ConnectionReportInput& input) {
    QString text;
    QTextStream out(&text);
    WriteFileHeader(out, kReportTitle);
    if (!input.productKnown) {
        out << "\n\nDATA NOT VALID";
        out.flush();
        return text;
    }
    out << "\nQUARVEN Router: " << ModelName(input.productId) << "\n\n\n";
    QStringList lines{ConnectionHeading(input.dataRouter), UnderlineLine(input.dataRouter)};
    lines << input.rows;
    for (const QString& line : lines) {
        out << ExpandTabs(line, kReportStops) << '\n';
    }
    out << '\n';
    out.flush();
    return text;
}

}  // namespace zerandi
