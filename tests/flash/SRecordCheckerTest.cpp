#include <gtest/gtest.h>

#include <QByteArray>
#include <string>
#include <vector>

#include "flash/FlashImages.h"
#include "flash/SRecordChecker.h"

namespace zerandi {
namespace {

using test::DataRecord;

// Well-formed records: a header, data, a count and a termination record.
const std::string kHeader = "S00F000068656C6C6F202020202000003C";
const std::string kData = "S11F00007C0802A6900100049421FFF07C6C1B787C8C23783C6000003863000026";
const std::string kCount = "S5030003F9";
const std::string kEnd = "S9030000FC";

struct ImageCase {
    std::string name;
    std::string image;
    int badLine;                       // 0: the image is accepted
    std::string mentions;              // a word the description must hold
    std::vector<std::string> lines{};  // the lines as they would be sent
};

std::vector<ImageCase> ImageCases() {
    const std::string ok = kHeader + "\n";
    return {
        {"two records", kHeader + "\n" + kEnd + "\n", 0, "", {kHeader, kEnd}},
        {"four records",
         kHeader + "\n" + kData + "\n" + kCount + "\n" + kEnd + "\n",
         0,
         "",
         {kHeader, kData, kCount, kEnd}},
        {"last line without a line feed",
         kHeader + "\n" + kData + "\n" + kEnd,
         0,
         "",
         {kHeader, kData, kEnd}},
        {"carriage returns are kept",
         kHeader + "\r\n" + kEnd + "\r\n",
         0,
         "",
         {kHeader + "\r", kEnd + "\r"}},
        {"lower-case hex", kHeader + "\n" + "S9030000fc\n", 0, "", {kHeader, "S9030000fc"}},
        {"199 characters with the carriage return",
         ok + DataRecord(0, 94) + "\r\n" + kEnd + "\n",
         0,
         "",
         {kHeader, DataRecord(0, 94) + "\r", kEnd}},
        {"bad checksum", ok + "S9030000FD\n", 2, "checksum"},
        {"byte count too large", ok + "S9040000FC\n", 2, "count"},
        {"byte count too small", ok + "S1030000AAFC\n" + kEnd, 2, "count"},
        {"non-hex digit", ok + kEnd + "\n" + "S9030G00FC\n", 3, "\"G\""},
        {"odd number of hex digits", ok + "S9030000F\n", 2, "odd"},
        {"no S", ok + "X9030000FC\n", 2, "\"S\""},
        {"type not a digit", ok + "SA030000FC\n", 2, "type"},
        // What editors and older tools leave around the records is not sent.
        {"blank lines between and after the records",
         ok + "\n" + kEnd + "\n\n",
         0,
         "",
         {kHeader, kEnd}},
        {"trailing blanks", kHeader + " \t\n" + kEnd + "  \r\n", 0, "", {kHeader, kEnd + "\r"}},
        {"a doubled carriage return",
         kHeader + "\r\r\n" + kEnd + "\r\r\n",
         0,
         "",
         {kHeader + "\r", kEnd + "\r"}},
        {"a final ^Z on its own line", ok + kEnd + "\r\n\x1A", 0, "", {kHeader, kEnd + "\r"}},
        {"a final ^Z after the last record", ok + kEnd + "\x1A\r\n", 0, "", {kHeader, kEnd}},
        {"^Z between records", ok + "\x1A\n" + kEnd + "\n", 2, "\"S\""},
        {"a record after ^Z", ok + kEnd + "\n\x1A\n" + kEnd + "\n", 3, "\"S\""},
        {"text after ^Z",
         ok + kEnd +
             "\n\x1A"
             "end\n",
         3, "\"S\""},
        {"two ^Z at the end", ok + kEnd + "\n\x1A\x1A", 3, "\"S\""},
        {"a bad record after a blank line", ok + "\n" + "S9030000FD\n", 3, "checksum"},
        {"blank lines only", "\n \r\n\x1A", 3, "at least 2"},
        {"record too short for its address", ok + "S2030000FC\n", 2, "S2"},
        {"200 characters", ok + DataRecord(0, 95) + "\n" + kEnd + "\n", 2, "200"},
        {"a single record", kEnd + "\n", 2, "at least 2"},
        {"an empty file", "", 1, "at least 2"},
        {"binary garbage", ok + std::string("\x01\x02\xFF", 3) + "\n", 2, "\"S\""},
    };
}

TEST(SRecordCheckerTest, AcceptsWellFormedImagesAndNamesTheFirstBadLine) {
    for (const ImageCase& c : ImageCases()) {
        SCOPED_TRACE(c.name);
        SRecordChecker checker;
        const auto problem = checker.Check(QByteArray::fromStdString(c.image));
        if (c.badLine == 0) {
            EXPECT_FALSE(problem.has_value()) << problem->description.toStdString();
            EXPECT_EQ(checker.Lines(), c.lines);
            continue;
        }
        ASSERT_TRUE(problem.has_value());
        EXPECT_EQ(problem->lineNumber, c.badLine);
        EXPECT_TRUE(problem->description.contains(QString::fromStdString(c.mentions)))
            << problem->description.toStdString();
        EXPECT_TRUE(checker.Lines().empty());
    }
}

TEST(SRecordCheckerTest, DescribesTheChecksumItExpected) {
    EXPECT_EQ(SRecordChecker::CheckLine("S9030000FD"),
              QStringLiteral("its checksum is FD, but its bytes give FC"));
}

}  // namespace
}  // namespace zerandi
