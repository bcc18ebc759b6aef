#include <gtest/gtest.h>

#include <QStringList>
#include <array>

#include "connect/ConnectionReport.h"
#include "support/QtPrinters.h"

namespace zerandi::test {
namespace {

constexpr int kDataRouterId = 28;
constexpr int kOrdinaryRouterId = 64;
constexpr int kNamelessId = 200;

TEST(ConnectionReportTest, ExpandTabsPlacesTheColumnsAtTheStops) {
    const struct {
        const char* line;
        const char* expanded;
    } cases[] = {
        {"\tInput\t\tOutput", "           Input    Output"},
        {"\t------\t------------", "           ------------------"},
        {"\tTRI\t-->\t\t128", "           TRI  --> 128"},
        {"\t 12\t-->\t\t  3", "            12  -->   3"},
        {"Input\t\t  Output      Flags", "Input             Output      Flags"},
        {"------\t\t  ------      -----", "------            ------      -----"},
        {"  5\t-->\t\t  9\t\t    0100", "  5        -->        9    0100"},
        {"no tabs", "           no tabs  "},
        {"a\tb\tc\td\te\tf\tg", "a          b    c   def\tg"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExpandTabs(QString::fromLatin1(c.line), ReportColumnStops()), c.expanded)
            << c.line;
    }
    const std::array<int, 2> stops{2, 0};
    EXPECT_EQ(ExpandTabs(QStringLiteral("long text\tx"), stops), "long textx");
}

// The report's lines after the header block, which ends with the "$Version:" line.
QStringList LinesAfterHeader(const QString& report) {
    const QStringList lines = report.split(u'\n');
    qsizetype version = 0;
    while (version < lines.size() && !lines[version].startsWith(QStringLiteral("$Version:"))) {
        ++version;
    }
    EXPECT_LT(version, lines.size()) << "no $Version: line";
    return lines.mid(version + 1);
}

TEST(ConnectionReportTest, ReportHoldsTheModelAndTheListInColumns) {
    const struct {
        const char* name;
        ConnectionReportInput input;
        QStringList lines;
    } cases[] = {
        {"not known", {false, 255, false, {}}, {"", "", "DATA NOT VALID"}},
        {"known, empty list",
         {true, kOrdinaryRouterId, false, {}},
         {"", "QUARVEN Router: QR1206", "", "", "           Input    Output",
          "           ------------------", "", ""}},
        {"ordinary router",
         {true, kOrdinaryRouterId, false, {"\tTRI\t-->\t\t128"}},
         {"", "QUARVEN Router: QR1206", "", "", "           Input    Output",
          "           ------------------", "           TRI  --> 128", "", ""}},
        {"data router",
         {true, kDataRouterId, true, {"  5\t-->\t\t  9\t\t    0100"}},
         {"", "QUARVEN Router: QR1207", "", "", "Input             Output      Flags",
          "------            ------      -----", "  5        -->        9    0100", "", ""}},
        {"unknown product",
         {true, kNamelessId, false, {}},
         {"", "QUARVEN Router: unknown", "", "", "           Input    Output",
          "           ------------------", "", ""}},
    };
    for (const auto& c : cases) {
        const QString report = ConnectionReportText(c.input);
        EXPECT_TRUE(report.startsWith(QStringLiteral("#"))) << c.name;
        EXPECT_TRUE(
            report.contains(QStringLiteral("# Router Connections in Report (.TXT) format\n")))
            << c.name;
        EXPECT_EQ(LinesAfterHeader(report), c.lines) << c.name;
    }
}

}  // namespace
}  // namespace zerandi::test
