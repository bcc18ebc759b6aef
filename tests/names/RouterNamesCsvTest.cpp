#include <gtest/gtest.h>

#include "names/RouterNames.h"
#include "names/RouterNamesCsv.h"

namespace zerandi::test {
namespace {

constexpr int kInputs = 16;
constexpr int kOutputs = 8;

RouterNames NamesOf(const std::vector<RouterName>& all) {
    RouterNames names;
    for (const RouterName& name : all) {
        names.SetName(name.kind, name.number, name.name);
    }
    return names;
}

std::optional<RouterNames> Parse(const QByteArray& bytes, QString& fault) {
    return RouterNamesFromCsv(bytes, kInputs, kOutputs, fault);
}

TEST(RouterNamesTest, NamesAreTrimmedEmptyRemovesAndLabelsCarryThem) {
    RouterNames names;
    names.SetName(NameKind::Output, 7, QStringLiteral("  VTR 2 "));
    names.SetName(NameKind::Input, 3, QStringLiteral("CAM 1"));
    names.SetName(NameKind::Input, 3, QStringLiteral("   "));
    names.SetName(NameKind::Input, 1, QStringLiteral("Bars"));
    EXPECT_EQ(names.Name(NameKind::Output, 7), "VTR 2");
    EXPECT_EQ(names.Label(NameKind::Output, 7), "7 VTR 2");
    EXPECT_EQ(names.Label(NameKind::Input, 7), "7");
    EXPECT_EQ(names.Label(NameKind::Input, 3), "3");
    EXPECT_EQ(names.All(), (std::vector<RouterName>{{NameKind::Input, 1, "Bars"},
                                                    {NameKind::Output, 7, "VTR 2"}}));
    names.SetName(NameKind::Input, 1, {});
    names.SetName(NameKind::Output, 7, {});
    EXPECT_TRUE(names.IsEmpty());
}

TEST(RouterNamesCsvTest, WritesTheHeaderAndQuotesOnlyWhatNeedsIt) {
    const RouterNames names = NamesOf({{NameKind::Output, 2, "VTR 2"},
                                       {NameKind::Input, 10, "Studio 1, \"PGM\""},
                                       {NameKind::Input, 9, "line\nbreak"}});
    EXPECT_EQ(RouterNamesToCsv(names), QByteArray("kind,number,name\r\n"
                                                  "input,9,\"line\nbreak\"\r\n"
                                                  "input,10,\"Studio 1, \"\"PGM\"\"\"\r\n"
                                                  "output,2,VTR 2\r\n"));
}

TEST(RouterNamesCsvTest, RoundTripKeepsEveryName) {
    const RouterNames names = NamesOf({{NameKind::Input, 1, "Caméra 1"},
                                       {NameKind::Input, kInputs, "スタジオ, \"A\""},
                                       {NameKind::Output, 1, "multi\nline\nname"},
                                       {NameKind::Output, kOutputs, "\"quoted\""},
                                       {NameKind::Output, 4, "a,b,,c"},
                                       // A byte-order mark opening the name's second line.
                                       {NameKind::Output, 5, "a\n\xEF\xBB\xBF b"}});
    QString fault;
    const std::optional<RouterNames> read = Parse(RouterNamesToCsv(names), fault);
    ASSERT_TRUE(read) << fault.toStdString();
    EXPECT_EQ(*read, names);
}

TEST(RouterNamesCsvTest, ReadsWhatSpreadsheetsAndPeopleWrite) {
    const struct {
        const char* what;
        QByteArray bytes;
        std::vector<RouterName> names;
    } cases[] = {
        {"byte-order mark, LF, no last line end",
         "\xEF\xBB\xBFkind,number,name\ninput,2,Ch\xC3\xA9",
         {{NameKind::Input, 2, "Ché"}}},
        {"quoted header, capitals and spaces",
         "\"kind\",\"number\",\"name\"\r\nOUTPUT , 08 , \"x\" \r\n",
         {{NameKind::Output, 8, "x"}}},
        {"a quoted CR LF becomes one line break",
         "kind,number,name\r\ninput,1,\"a\r\nb\"\r\n",
         {{NameKind::Input, 1, "a\nb"}}},
        {"a lone CR in a quoted name is a line break too",
         "kind,number,name\ninput,1,\"a\r\rb\"\n",
         {{NameKind::Input, 1, "a\n\nb"}}},
        {"empty lines and an empty name",
         "kind,number,name\r\n\r\ninput,1,\r\n\r\ninput,2,B\r\n",
         {{NameKind::Input, 2, "B"}}},
        {"only the header", "kind,number,name\r\n", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QString fault;
        const std::optional<RouterNames> names = Parse(c.bytes, fault);
        ASSERT_TRUE(names) << fault.toStdString();
        EXPECT_EQ(names->All(), c.names);
    }
}

TEST(RouterNamesCsvTest, RefusesAFileNamingTheLineAndTheFault) {
    const QByteArray header = "kind,number,name\r\n";
    const struct {
        QByteArray bytes;
        QString fault;
    } cases[] = {
        {"", R"(Line 1: the first line is not "kind,number,name".)"},
        {"\r\nkind;number;name\r\n", R"(Line 2: the first line is not "kind,number,name".)"},
        {"kind,number,name,extra\r\n", R"(Line 1: the first line is not "kind,number,name".)"},
        {header + "input,1,A\r\nsource,2,B\r\n",
         R"(Line 3: the kind "source" is neither "input" nor "output".)"},
        {header + "input,0,A\r\n",
         "Line 2: input 0 does not exist: the router's inputs are numbered 1 to 16."},
        {header + "output,9,A\r\n",
         "Line 2: output 9 does not exist: the router's outputs are numbered 1 to 8."},
        {header + "output,99999999999,A\r\n",
         "Line 2: output 99999999999 does not exist: the router's outputs are numbered 1 to 8."},
        {header + "input,1O,A\r\n", R"(Line 2: the number "1O" is not a decimal number.)"},
        {header + "input,-1,A\r\n", R"(Line 2: the number "-1" is not a decimal number.)"},
        {header + "input,,A\r\n", R"(Line 2: the number "" is not a decimal number.)"},
        {header + "input,1\r\n",
         "Line 2: a line holds kind, number and name; this one holds 2 fields."},
        {header + "input,1,Studio 1, PGM\r\n",
         "Line 2: a line holds kind, number and name; this one holds 4 fields."},
        {header + "input,1,\"A\r\nB\"\r\ninput,1,C\r\n",
         "Line 4: input 1 is named on line 2 already."},
        {header + "input,1,\"open\r\n", "Line 2: a quoted field is not closed."},
        {header + "input,1,\"A\"B\r\n", "Line 2: text follows the closing quote of a field."},
        {header + "input,1,A\"B\r\n",
         "Line 2: a quote inside a field; a field holding quotes begins with a quote and doubles "
         "the quotes it holds."},
        {header + "input,1,A\r\ninput,2,\xC3\x28\r\n", "Line 3: the text is not UTF-8."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes.toStdString());
        QString fault;
        EXPECT_FALSE(Parse(c.bytes, fault));
        EXPECT_EQ(fault, c.fault);
    }
}

}  // namespace
}  // namespace zerandi::test
