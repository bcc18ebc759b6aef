#include <gtest/gtest.h>

#include <vector>

#include "porttypes/PortType.h"
#include "porttypes/PortTypeFile.h"
#include "support/FileSizeLimit.h"
#include "support/ScriptedUiServices.h"
#include "support/TempFiles.h"

namespace zerandi::test {
namespace {

const QString kShortFileText = QStringLiteral(
    "The file holds fewer port types than the router has ports.\n"
    "The ports beyond its end were set to 207M Dynamic.");

// Port k + 1 gets code k mod 7: every known type, repeated.
std::vector<PortType> Cycle(size_t ports) {
    std::vector<PortType> types(ports);
    for (size_t k = 0; k < ports; ++k) {
        types[k] = static_cast<PortType>(k % kPortTypeCount);
    }
    return types;
}

TEST(PortTypeFileTest, EncodeFillsAll256BytesAndPadsWithZero) {
    for (const size_t ports : {size_t{128}, size_t{256}}) {
        std::vector<PortType> types = Cycle(ports);
        types[1] = 9;  // kept as it is: only the router is sent 0 for it
        const QByteArray bytes = PortTypeFile::Encode(types);
        ASSERT_EQ(bytes.size(), 256) << ports;
        for (size_t k = 0; k < 256; ++k) {
            const int expected = k < ports ? types[k] : 0;
            ASSERT_EQ(static_cast<uint8_t>(bytes[static_cast<qsizetype>(k)]), expected)
                << ports << " ports, byte " << k;
        }
    }
}

TEST(PortTypeFileTest, DecodeTakesOneBytePerPortAndZeroPastTheEnd) {
    struct Case {
        qsizetype fileBytes;
        size_t ports;
        bool shortFile;
    };
    const Case cases[] = {{256, 128, false}, {256, 256, false}, {100, 128, true},
                          {300, 256, false}, {0, 256, true},    {128, 128, false}};
    for (const Case& c : cases) {
        QByteArray bytes(c.fileBytes, '\0');
        for (qsizetype k = 0; k < c.fileBytes; ++k) {
            bytes[k] = static_cast<char>(1 + k % 6);
        }
        const PortTypeFile::Contents contents = PortTypeFile::Decode(bytes, c.ports);
        ASSERT_EQ(contents.types.size(), c.ports);
        EXPECT_EQ(contents.shortFile, c.shortFile) << c.fileBytes;
        for (size_t k = 0; k < c.ports; ++k) {
            const int expected = static_cast<qsizetype>(k) < c.fileBytes ? 1 + k % 6 : 0;
            ASSERT_EQ(contents.types[k], expected) << c.fileBytes << " bytes, port " << k + 1;
        }
    }
}

TEST(PortTypeFileTest, WriteThenReadGivesTheSameTable) {
    ScriptedUiServices ui;
    std::vector<PortType> types = Cycle(256);
    types[200] = 9;
    const QString path = TempPath("roundtrip.prt");
    ASSERT_TRUE(PortTypeFile::Write(ui, path, types));
    EXPECT_EQ(ReadFileBytes(path).size(), 256);
    const PortTypeFile::Contents contents = PortTypeFile::Read(ui, path, 256);
    EXPECT_EQ(contents.outcome, PortTypeFile::Outcome::Read);
    EXPECT_EQ(contents.types, types);
    EXPECT_TRUE(ui.Messages().empty());
}

TEST(PortTypeFileTest, ReadTellsWhatWentWrong) {
    ScriptedUiServices ui;
    const QString shortPath = TempPath("short.prt");
    ASSERT_TRUE(WriteFileBytes(shortPath, QByteArray(100, '\1')));
    struct Case {
        QString path;
        PortTypeFile::Outcome outcome;
        QString message;
    };
    const Case cases[] = {
        {TempPath("missing.prt"), PortTypeFile::Outcome::NoSuchFile,
         "Could not open file - file does not exist."},
        {shortPath, PortTypeFile::Outcome::Read, kShortFileText},
        {QString(), PortTypeFile::Outcome::Refused, "PortTypeFile::Read - no file name"},
    };
    for (const Case& c : cases) {
        ui.ClearMessages();
        const PortTypeFile::Contents contents = PortTypeFile::Read(ui, c.path, 128);
        EXPECT_EQ(contents.outcome, c.outcome) << c.path.toStdString();
        ASSERT_EQ(ui.Messages().size(), 1u) << c.path.toStdString();
        EXPECT_TRUE(ui.Messages().front().text.contains(c.message))
            << ui.Messages().front().text.toStdString();
        EXPECT_EQ(ui.Messages().front().icon, MessageIcon::Warning);
    }
}

TEST(PortTypeFileTest, AFailedWriteKeepsTheEarlierFile) {
    ScriptedUiServices ui;
    const QString path = TempPath("kept.prt");
    const QByteArray earlier(256, '\2');
    ASSERT_TRUE(WriteFileBytes(path, earlier));
    {
        const FileSizeLimit limit(100);
        EXPECT_FALSE(PortTypeFile::Write(ui, path, Cycle(256)));
    }
    EXPECT_EQ(ReadFileBytes(path), earlier);
    EXPECT_EQ(ui.MessageTexts(),
              std::vector<QString>{
                  QStringLiteral("Could not write file.\n%1: File too large").arg(path)});
}

}  // namespace
}  // namespace zerandi::test
