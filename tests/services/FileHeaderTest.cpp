#include "services/FileHeader.h"

#include <gtest/gtest.h>

#include <QStringList>

#include "services/BuildVersion.h"
#include "services/VersionInfo.h"

namespace zerandi {
namespace {

struct HeaderCase {
    const char* name;
    QString text;
    bool ok;
    VersionTriple version;
};

void PrintTo(const HeaderCase& c, std::ostream* os) {
    *os << c.name;
}

class ReadHeaderVersionTest : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(ReadHeaderVersionTest, ReadsTheLineBehindTheComments) {
    const HeaderCase& c = GetParam();
    QString text = c.text;
    QTextStream in(&text);
    VersionTriple version;
    EXPECT_EQ(ReadHeaderVersion(in, version), c.ok);
    EXPECT_EQ(version, c.version);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadHeaderVersionTest,
    ::testing::Values(
        HeaderCase{"FourNumbers", "#a\n#\n$Version:2.1.0.7\nbody\n", true, {2, 1, 0}},
        HeaderCase{"NoComments", "$Version:3.4.5\n", true, {3, 4, 5}},
        HeaderCase{"FirstLineIsData", "data line\n$Version:2.1.0\n", false, {}},
        HeaderCase{"TagAtEndOfLine", "#\n$Version:\n", false, {}},
        HeaderCase{"CommasNotDots", "#\n$Version:2,1,0\n", false, {}},
        HeaderCase{"BlankLineBeforeVersion", "#\n\n$Version:2.1.0\n", false, {}},
        HeaderCase{"OnlyComments", "#\n#\n", false, {}}, HeaderCase{"EmptyStream", "", false, {}},
        // A comment line longer than a read is split; its rest is not a comment.
        HeaderCase{"OverlongComment", "#" + QString(150, u'x') + "\n$Version:1.2.3\n", false, {}},
        HeaderCase{"TextBeforeTag", "#\nv $Version:7.8.9\n", true, {7, 8, 9}}),
    [](const auto& info) { return std::string(info.param.name); });

struct TripleCase {
    const char* text;
    bool ok;
    VersionTriple version;
};

TEST(ParseVersionTripleTest, NeedsThreeNumbersSeparatedByDots) {
    const TripleCase cases[] = {
        {"2.1.0.7", true, {2, 1, 0}},
        {"10.20.30", true, {10, 20, 30}},
        {" 1.2.3", true, {1, 2, 3}},
        {"1.2.3 trailing", true, {1, 2, 3}},
        {"2,1,0", false, {}},
        {"2.1,0", false, {}},
        {"2.1.", false, {}},
        {"2.1.x", false, {}},
        {".1.2", false, {}},
        {"", false, {}},
        {"99999999999.1.2", false, {}},
    };
    for (const TripleCase& c : cases) {
        VersionTriple version;
        EXPECT_EQ(ParseVersionTriple(QString::fromLatin1(c.text), version), c.ok) << c.text;
        EXPECT_EQ(version, c.version) << c.text;
    }
}

TEST(VersionInfoTest, HoldsTheBuiltInIdentityOnceRead) {
    ReadVersionInfo();
    EXPECT_EQ(VersionInfo::ProductName(), QStringLiteral("Zerandi"));
    EXPECT_EQ(VersionInfo::CompanyName(), QStringLiteral("Zerandi Systems"));
    EXPECT_EQ(VersionInfo::LegalCopyright(), QStringLiteral("Copyright (C) 2026 Zerandi Systems"));
    EXPECT_EQ(VersionInfo::FileVersion(), QStringLiteral("%1.%2.%3.%4")
                                              .arg(ZERANDI_VERSION_MAJOR)
                                              .arg(ZERANDI_VERSION_MINOR)
                                              .arg(ZERANDI_VERSION_PATCH)
                                              .arg(ZERANDI_VERSION_TWEAK));
}

TEST(WriteFileHeaderTest, ReadsBackAsTheProgramsOwnVersion) {
    ReadVersionInfo();
    QString text;
    QTextStream out(&text);
    WriteFileHeader(out, QStringLiteral("Scramble Map File"));
    out << "first content line\n";
    out.flush();

    QTextStream in(&text);
    VersionTriple version;
    ASSERT_TRUE(ReadHeaderVersion(in, version));
    EXPECT_EQ(version,
              (VersionTriple{ZERANDI_VERSION_MAJOR, ZERANDI_VERSION_MINOR, ZERANDI_VERSION_PATCH}));
    EXPECT_EQ(in.readLine(), QStringLiteral("first content line"));
}

TEST(WriteFileHeaderTest, WritesTheCommentBlockLineByLine) {
    ReadVersionInfo();
    QString text;
    QTextStream out(&text);
    WriteFileHeader(out, QStringLiteral("Router Connections in Report (.TXT) format"));
    out.flush();

    const QStringList lines = text.split(u'\n');
    ASSERT_EQ(lines.size(), 13);  // twelve lines, each ended by "\n"
    const QString rule =
        QStringLiteral("#---------------------------------------------------------------");
    EXPECT_EQ(lines[0], rule);
    EXPECT_EQ(lines[2], QStringLiteral("# Zerandi; Zerandi Systems"));
    EXPECT_EQ(lines[4], QStringLiteral("# Router Connections in Report (.TXT) format"));
    EXPECT_EQ(lines[6], QStringLiteral("# This file was automatically created."));
    EXPECT_TRUE(lines[8].startsWith(QStringLiteral("# "))) << lines[8].toStdString();
    EXPECT_EQ(lines[8].size(), 2 + 24) << lines[8].toStdString();
    for (int blank : {1, 3, 5, 7, 9}) {
        EXPECT_EQ(lines[blank], QStringLiteral("#")) << blank;
    }
    EXPECT_EQ(lines[10], rule);
    EXPECT_EQ(lines[11], QStringLiteral("$Version:1.0.0.1"));
    EXPECT_EQ(lines[12], QString());
}

}  // namespace
}  // namespace zerandi
