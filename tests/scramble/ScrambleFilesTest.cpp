#include <gtest/gtest.h>

#include <QStringList>
#include <QTextStream>

#include "scramble/HalvernImport.h"
#include "scramble/ScrambleMap.h"
#include "scramble/ScrambleMapFile.h"
#include "scramble/ScrambleMapReport.h"
#include "services/VersionInfo.h"
#include "support/FileSizeLimit.h"
#include "support/ScriptedUiServices.h"
#include "support/TempFiles.h"

namespace zerandi::test {
namespace {

constexpr uint32_t kNone = ScrambleEntry::kNoAddress;

// The header block names the program's version, read at start-up.
class VersionEnvironment : public ::testing::Environment {
public:
    void SetUp() override { ReadVersionInfo(); }
};
const ::testing::Environment* const kVersionEnvironment =
    ::testing::AddGlobalTestEnvironment(new VersionEnvironment);

// The defaults of a router with these counts, as after the view's refresh.
ScrambleMap DefaultMap(uint32_t inputs, uint32_t outputs) {
    ScrambleMap map;
    map.inputCount = inputs;
    map.outputCount = outputs;
    map.tableSize = 256;
    map.ResetToDefaults();
    return map;
}

// What follows the "$Version:" line of the header block.
QString Body(const QString& text) {
    const qsizetype version = text.indexOf(QStringLiteral("$Version:"));
    return version < 0 ? QString() : text.mid(text.indexOf(u'\n', version) + 1);
}

bool ParseText(const QString& text, ScrambleMap& map) {
    QString copy = text;
    QTextStream in(&copy);
    return ScrambleMapFile::Parse(in, map);
}

QString Header() {
    return QStringLiteral("# comment\n$Version: 1.2.3\n");
}

TEST(ScrambleMapTest, TableWordsKeepTheRouterLayoutAndUnsentEntries) {
    ScrambleMap map = DefaultMap(4, 4);
    map.inputs[1].a3a4 = 77;
    map.outputs[2].a1a2 = 0x12345;  // more than a word: kept while the router agrees
    const ScrambleTableWords words = map.ToTableWords();
    EXPECT_EQ(words[1], 2);
    EXPECT_EQ(words[256 + 1], 77);
    EXPECT_EQ(words[512 + 2], 0x2345);
    EXPECT_EQ(words[768 + 2], 0xFFFF);

    ScrambleTableWords fromRouter = words;
    fromRouter[0] = 9;
    fromRouter[768 + 3] = 10;
    map.TakeTableWords(fromRouter);
    EXPECT_EQ(map.inputs[0].a1a2, 9u);
    EXPECT_EQ(map.outputs[3].a3a4, 10u);
    EXPECT_EQ(map.outputs[2].a1a2, 0x12345u);
    EXPECT_EQ(map.inputs[1].a3a4, 77u);
}

TEST(ScrambleMapTest, OutputEditsRefuseEqualAndDuplicateAddresses) {
    const ScrambleMap map = DefaultMap(64, 64);
    const ControllerStarts starts{1, 10};
    struct Case {
        size_t index;
        uint32_t a1a2;
        uint32_t a3a4;
        const char* refusal;  // nullptr: accepted
    };
    const Case cases[] = {
        {0, 5, kNone, "Output 5 used in controller output: 14\nDuplicates not allowed."},
        {0, kNone, 64, "Output 64 used in controller output: 73\nDuplicates not allowed."},
        {0, 7, 7, "A1A2 and A3A4 values can not be equal."},
        {0, kNone, kNone, nullptr},
        {0, 1, kNone, nullptr},  // its own address
        {3, 300, 200, nullptr},
        {70, 64, kNone, "Output 64 used in controller output: 73\nDuplicates not allowed."},
    };
    for (const Case& c : cases) {
        const std::optional<QString> refusal = map.CheckOutputEdit(c.index, c.a1a2, c.a3a4, starts);
        if (c.refusal == nullptr) {
            EXPECT_FALSE(refusal.has_value()) << c.index << ": " << refusal->toStdString();
        } else {
            EXPECT_EQ(refusal.value_or(QString()), c.refusal) << c.index << " " << c.a1a2;
        }
    }
}

TEST(ScrambleMapFileTest, DefaultsOfA64By64RouterSaveAndLoadAsTheyWere) {
    ScriptedUiServices ui;
    const ScrambleMap defaults = DefaultMap(64, 64);
    const QString path = TempPath("defaults.scr");
    ASSERT_TRUE(ScrambleMapFile::Save(ui, path, defaults));

    const QByteArray bytes = ReadFileBytes(path);
    EXPECT_TRUE(bytes.startsWith("#---"));
    const QString body = Body(QString::fromLatin1(bytes));
    const QStringList lines = body.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 1 + 256 + 1 + 1 + 256 + 1);  // the last is after the final CR LF
    EXPECT_EQ(lines[0], "256");
    for (int k = 1; k <= 256; ++k) {
        const QString expected =
            k <= 64 ? QStringLiteral("%1 65535 \"\"").arg(k) : QStringLiteral("65535 65535 \"\"");
        ASSERT_EQ(lines[k], expected) << "input line " << k;
        ASSERT_EQ(lines[257 + 1 + k], expected) << "output line " << k;
    }
    EXPECT_EQ(lines[257], "");
    EXPECT_EQ(lines[258], "256");
    EXPECT_FALSE(bytes.contains("\n\n"));

    ScrambleMap loaded = DefaultMap(64, 64);
    loaded.inputs[0].a1a2 = 99;
    ASSERT_TRUE(ScrambleMapFile::Load(ui, path, loaded));
    EXPECT_EQ(loaded.inputs, defaults.inputs);
    EXPECT_EQ(loaded.outputs, defaults.outputs);
    EXPECT_TRUE(ui.Messages().empty());
}

TEST(ScrambleMapFileTest, EditedEntriesAndDescriptionsComeBack) {
    ScriptedUiServices ui;
    ScrambleMap map = DefaultMap(16, 16);
    map.inputs[2] = ScrambleEntry{70000, 3, QStringLiteral("Studio 4 \"main\"")};
    map.outputs[255] = ScrambleEntry{0, 12, QStringLiteral("  spaced  ")};
    const QString path = TempPath("edited.scr");
    ASSERT_TRUE(ScrambleMapFile::Save(ui, path, map));
    ScrambleMap loaded = DefaultMap(16, 16);
    ASSERT_TRUE(ScrambleMapFile::Load(ui, path, loaded));
    EXPECT_EQ(loaded.inputs[2].a1a2, 70000u);
    EXPECT_EQ(loaded.inputs[2].description, "Studio 4 ");  // a quote ends it
    EXPECT_EQ(loaded.outputs[255], map.outputs[255]);
}

TEST(ScrambleMapFileTest, ParseRefusesWhatIsNotAScrambleMap) {
    struct Case {
        QString text;
        bool accepted;
    };
    const Case cases[] = {
        {Header() + "300\n", false},
        {Header() + "257\n", false},
        {Header() + "abc\n", false},
        {Header() + "-1\n", false},
        {Header(), false},
        {"256\n", false},  // no header
        {"# only a comment\n$Version: 1.x\n0\n0\n", false},
        {Header() + "2\n1 2 \"a\"\n", false},  // an entry short
        {Header() + "1\nnot numbers\n0\n", false},
        {Header() + "0\n\n0\n", true},
        {Header() + "1\n5 6\n1\n7 65535 \"x\" y\n", true},
    };
    for (const Case& c : cases) {
        ScrambleMap map = DefaultMap(8, 8);
        EXPECT_EQ(ParseText(c.text, map), c.accepted) << c.text.toStdString();
    }
}

TEST(ScrambleMapFileTest, ShortTablesLeaveTheOtherEntriesAtTheirDefaults) {
    ScrambleMap map = DefaultMap(8, 8);
    map.ResetToDefaults();
    ASSERT_TRUE(ParseText(Header() + "1\n5 6\n1\n7 65535 \"Out \"quoted\n", map));
    EXPECT_EQ(map.inputs[0], (ScrambleEntry{5, 6, {}}));
    EXPECT_EQ(map.inputs[1], (ScrambleEntry{2, kNone, {}}));
    EXPECT_EQ(map.outputs[0], (ScrambleEntry{7, kNone, QStringLiteral("Out ")}));
    EXPECT_EQ(map.outputs[1].a1a2, 2u);
}

TEST(ScrambleMapFileTest, LoadTellsWhatWentWrong) {
    ScriptedUiServices ui;
    const QString bad = TempPath("bad.scr");
    ASSERT_TRUE(WriteFileBytes(bad, (Header() + "2\n9 9 \"a\"\n300\n").toLatin1()));
    ScrambleMap map = DefaultMap(4, 4);
    EXPECT_FALSE(ScrambleMapFile::Load(ui, bad, map));
    EXPECT_EQ(map.inputs[0].a1a2, 9u);  // what was read before the error stays
    EXPECT_FALSE(ScrambleMapFile::Load(ui, TempPath("missing.scr"), map));
    EXPECT_EQ(map.inputs[0].a1a2, 1u);
    EXPECT_EQ(ui.MessageTexts(),
              (std::vector<QString>{"Invalid file format.", "Could not open file."}));
}

TEST(ScrambleMapFileTest, AFailedSaveKeepsTheEarlierFile) {
    ScriptedUiServices ui;
    const QString path = TempPath("kept.scr");
    ASSERT_TRUE(WriteFileBytes(path, "earlier"));
    {
        const FileSizeLimit limit(1000);
        EXPECT_FALSE(ScrambleMapFile::Save(ui, path, DefaultMap(64, 64)));
    }
    EXPECT_EQ(ReadFileBytes(path), "earlier");
    EXPECT_EQ(ui.MessageTexts(),
              std::vector<QString>{
                  QStringLiteral("Could not write file.\n%1: File too large").arg(path)});

    // A file that cannot be created is told without a full stop.
    ui.ClearMessages();
    const QString uncreatable = TempPath("no-folder/new.scr");
    EXPECT_FALSE(ScrambleMapFile::Save(ui, uncreatable, DefaultMap(4, 4)));
    EXPECT_EQ(
        ui.MessageTexts(),
        std::vector<QString>{
            QStringLiteral("Could not open file\n%1: No such file or directory").arg(uncreatable)});
}

// A Halvern file whose entry i maps to 1000 + i and 2000 + i (outputs 3000 + i, 4000 + i),
// described "In i" and "Out i".
QByteArray HalvernFile() {
    QByteArray bytes(HalvernImport::kFileBytes, '\0');
    const auto putWord = [&](qsizetype at, int value) {
        bytes[at] = static_cast<char>(value & 0xFF);
        bytes[at + 1] = static_cast<char>(value >> 8);
    };
    for (int i = 0; i < 256; ++i) {
        putWord(2 * i, 1000 + i);
        putWord(1024 + 2 * i, 2000 + i);
        putWord(12800 + 2 * i, 3000 + i);
        putWord(13824 + 2 * i, 4000 + i);
        const QByteArray in = "In " + QByteArray::number(i);
        const QByteArray out = "Out " + QByteArray::number(i);
        bytes.replace(2048 + 21 * i, in.size(), in);
        bytes.replace(14848 + 21 * i, out.size(), out);
    }
    return bytes;
}

TEST(HalvernImportTest, AWholeFileGivesEveryEntry) {
    ScriptedUiServices ui;
    const QString path = TempPath("whole.cfg");
    ASSERT_TRUE(WriteFileBytes(path, HalvernFile()));
    ScrambleMap map = DefaultMap(64, 64);
    ASSERT_TRUE(HalvernImport::Import(ui, path, map));
    EXPECT_TRUE(ui.Messages().empty());
    EXPECT_EQ(map.inputs[0], (ScrambleEntry{1000, 2000, QStringLiteral("In 0")}));
    EXPECT_EQ(map.inputs[255], (ScrambleEntry{1255, 2255, QStringLiteral("In 255")}));
    EXPECT_EQ(map.outputs[17], (ScrambleEntry{3017, 4017, QStringLiteral("Out 17")}));
    EXPECT_EQ(map.outputs[255], (ScrambleEntry{3255, 4255, QStringLiteral("Out 255")}));
}

TEST(HalvernImportTest, AShortFileKeepsTheDefaultsOfWhatItLacks) {
    ScriptedUiServices ui;
    const QString path = TempPath("short.cfg");
    // Inputs whole, output A1A2 words up to entry 99.
    ASSERT_TRUE(WriteFileBytes(path, HalvernFile().left(12800 + 200)));
    ScrambleMap map = DefaultMap(64, 64);
    ASSERT_TRUE(HalvernImport::Import(ui, path, map));
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_TRUE(ui.Messages().front().text.startsWith("The file is shorter than"));
    EXPECT_EQ(map.inputs[255].description, "In 255");
    EXPECT_EQ(map.outputs[99].a1a2, 3099u);
    EXPECT_EQ(map.outputs[99].a3a4, kNone);
    EXPECT_EQ(map.outputs[100], (ScrambleEntry{kNone, kNone, {}}));
    EXPECT_EQ(map.outputs[0].description, "");
}

TEST(HalvernImportTest, AnEmptyOrMissingFileImportsNothing) {
    ScriptedUiServices ui;
    const QString empty = TempPath("empty.cfg");
    ASSERT_TRUE(WriteFileBytes(empty, {}));
    ScrambleMap map = DefaultMap(8, 8);
    map.inputs[0].a1a2 = 55;
    EXPECT_FALSE(HalvernImport::Import(ui, empty, map));
    EXPECT_EQ(map.inputs[0].a1a2, 1u);
    EXPECT_FALSE(HalvernImport::Import(ui, TempPath("missing.cfg"), map));
    EXPECT_EQ(ui.MessageTexts(),
              (std::vector<QString>{"Invalid file format.", "Could not open file."}));
}

TEST(HalvernImportTest, DescriptionsAreCutAndCleaned) {
    struct Case {
        QByteArray field;
        const char* shown;
    };
    const Case cases[] = {
        {QByteArray("Camera 1\0junk", 13), "Camera 1"},
        {QByteArray(21, 'x'), "xxxxxxxxxxxxxxxxxxxx"},
        {QByteArray("Tab\there\x07", 9), "Tab?here?"},
        {QByteArray("VTR \"A\"", 7), "VTR 'A'"},
        {QByteArray(), ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HalvernImport::DescriptionText(c.field), c.shown) << c.field.toStdString();
    }
}

TEST(ScrambleMapReportTest, TheReportListsEveryRowOfBothTables) {
    ScrambleMap map = DefaultMap(2, 1);
    map.inputs[1] = ScrambleEntry{7, 8, QStringLiteral("Cam")};
    const QString text = ScrambleMapReport::Format(map, ControllerStarts{1, 0});
    EXPECT_TRUE(text.contains("# Scramble Map in Report (.TXT) format\n"));
    const QString body = Body(text);
    const QString expectedStart = QStringLiteral(
        "\n\nScramble Table Size: 256\n"
        "\n\nInput----------\n\tController\n\tAddr\t\tA1A2\t\tA3A4\t\tDescription\n"
        "\t1\t\t\t1\t\t\t--\t\t\t\n"
        "\t2\t\t\t7\t\t\t8\t\t\tCam\n"
        "\t3\t\t\t--\t\t\t--\t\t\t\n");
    EXPECT_TRUE(body.startsWith(expectedStart)) << body.left(300).toStdString();
    const qsizetype outputs = body.indexOf(QStringLiteral("\n\nOutput----------\n"));
    ASSERT_GT(outputs, 0);
    EXPECT_EQ(body.mid(outputs).count(u'\n'), 5 + 256);  // title lines, then 256 rows
    EXPECT_TRUE(body.mid(outputs).contains("\n\t0\t\t\t1\t\t\t--\t\t\t\n\t1\t\t\t--"));
    EXPECT_TRUE(body.endsWith("\t255\t\t\t--\t\t\t--\t\t\t\n"));

    ScriptedUiServices ui;
    const QString path = TempPath("report.txt");
    ASSERT_TRUE(ScrambleMapReport::Write(ui, path, map, ControllerStarts{1, 0}));
    const QByteArray bytes = ReadFileBytes(path);
    EXPECT_EQ(bytes.count("\r\n"), text.count(u'\n'));
    EXPECT_EQ(bytes.count('\n'), text.count(u'\n'));
}

}  // namespace
}  // namespace zerandi::test
