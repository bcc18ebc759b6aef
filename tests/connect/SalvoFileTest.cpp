#include <gtest/gtest.h>

#include "connect/SalvoFile.h"

namespace zerandi::test {
namespace {

TEST(SalvoFileTest, ReadingIsLenientAboutSpacingAndNumberForms) {
    const struct {
        const char* text;
        TakeList entries;
        bool endedAtText;
    } cases[] = {
        {"5 1\r\n62451 2\r\n", {{5, 1}, {62451, 2}}, false},
        {"5 1 7", {{5, 1}}, false},  // a number without its partner is dropped
        {"0x10 010", {{16, 8}}, false},
        {"0X1f\t\t0", {{31, 0}}, false},
        {"70000 3", {{4464, 3}}, false},
        {"4294967297 3", {{1, 3}}, false},  // low 16 bits of a number past 32 bits
        {"  \n 5\n\n1  ", {{5, 1}}, false},
        {"", {}, false},
        {"5 1 abc 2 3", {{5, 1}}, true},
        {"5 1 6 x", {{5, 1}}, true},
        {"5 1 08 2", {{5, 1}}, true},  // 8 is no octal digit
        {"5 1 -3 2", {{5, 1}}, true},
        {"5 1 0x 2", {{5, 1}}, true},
    };
    for (const auto& c : cases) {
        const SalvoFileContents contents = ReadSalvoText(QByteArray(c.text));
        EXPECT_EQ(contents.entries, c.entries) << c.text;
        EXPECT_EQ(contents.endedAtText, c.endedAtText) << c.text;
    }
}

TEST(SalvoFileTest, WritingGivesOneCrLfLinePerEntryThatReadsBack) {
    const TakeList salvo{{5, 1}, {62451, 2}, {65535, 2048}};
    const QByteArray bytes = SalvoFileBytes(salvo);
    EXPECT_EQ(bytes, QByteArray("5 1\r\n62451 2\r\n65535 2048\r\n"));
    EXPECT_EQ(ReadSalvoText(bytes).entries, salvo);
}

}  // namespace
}  // namespace zerandi::test
