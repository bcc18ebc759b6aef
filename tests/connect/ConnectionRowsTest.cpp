#include <gtest/gtest.h>

#include <QString>

#include "connect/ConnectionRows.h"
#include "support/QtPrinters.h"

namespace zerandi::test {
namespace {

TEST(ConnectionRowsTest, RowsShowSourceOutputAndDataFlags) {
    const struct {
        int32_t word;
        int output;
        bool dataRouter;
        const char* row;
    } cases[] = {
        {12, 3, false, "\t 12\t-->\t\t  3"},
        {0xF3F3, 128, false, "\tTRI\t-->\t\t128"},
        {2048, 2048, false, "\t2048\t-->\t\t2048"},
        {0x4005, 9, true, "  5\t-->\t\t  9\t\t    0100"},
        {0xB080, 2, true, "128\t-->\t\t  2\t\t    1011"},
        // A data router shows the flag bits of the tri-state word like any other.
        {0xF3F3, 1, true, "1011\t-->\t\t  1\t\t    1111"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatConnectionRow(c.word, c.output, c.dataRouter), c.row) << c.row;
    }
    EXPECT_EQ(ConnectionRows(3, {12, 0xF3F3}, false),
              (QStringList{"\t 12\t-->\t\t  3", "\tTRI\t-->\t\t  4"}));
}

TEST(ConnectionRowsTest, SalvoAndMonitorRows) {
    EXPECT_EQ(FormatSalvoRow(5, 1), "  5\t-->\t1");
    EXPECT_EQ(FormatSalvoRow(0xF3F3, 2), "TRI\t-->\t2");
    EXPECT_EQ(FormatModifiedSalvoRow(5, 1), "5\t-->\t1");
    EXPECT_EQ(FormatMonitorRow(200, 2), "\t200\t->\t2");
    EXPECT_EQ(FormatMonitorRow(0xF3F3, 2), "\tnone\t->\t2");
}

}  // namespace
}  // namespace zerandi::test
