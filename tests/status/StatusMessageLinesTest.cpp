#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <string>

#include "protocol/RouterCommands.h"
#include "protocol/TestFrames.h"
#include "status/StatusMessageLines.h"
#include "support/QtPrinters.h"

namespace zerandi::test {
namespace {

const QString kBlank = QStringLiteral(" ");

QString Repeat(char character, qsizetype count) {
    return QString(count, QLatin1Char(character));
}

TEST(StatusMessageLines, ReceivedTextBecomesEntries) {
    struct Case {
        const char* what;
        std::vector<std::string> polls;
        QStringList entries;
        QString pending;
    };
    const std::string hundred(100, 'x');
    const Case cases[] = {
        {"two characters and a carriage return", {"ok\r"}, {"ok", kBlank}, ""},
        {"100 characters without carriage return",
         {hundred},
         {Repeat('x', 80), Repeat('x', 20), kBlank, kBlank},
         ""},
        {"control characters and bytes above 126 are dropped",
         {"a\tb\n\x7f\xe9"
          "c\r"},
         {"abc", kBlank},
         ""},
        {"text after the last carriage return waits for the next line",
         {"one\rtw", "o\r"},
         {"one", kBlank, "two", kBlank},
         ""},
        {"a short tail stays pending", {"abc"}, {}, "abc"},
        {"an empty line", {"\r"}, {"", kBlank}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StatusMessageLines lines;
        for (const std::string& poll : c.polls) {
            lines.ReceiveText(poll);
        }
        EXPECT_EQ(lines.Entries(), c.entries);
        EXPECT_EQ(lines.PendingLine(), c.pending);
    }
}

TEST(StatusMessageLines, MessageDataEndsAtItsLengthByte) {
    RouterMessage message = ReplyFrame(command::kTextMessage, {'h', 'i', '\r'});
    PoisonBeyondFrame(message, 'z');  // the checksum byte and beyond are not text
    StatusMessageLines lines;
    lines.ReceiveMessage(message);
    EXPECT_EQ(lines.Entries(), (QStringList{"hi", kBlank}));
    EXPECT_EQ(lines.PendingLine(), "");
}

// Before each part of a line the list is cut to 99 entries; the echo entries come on top.
TEST(StatusMessageLines, AddingToAFullListDropsTheOldestUntil99Remain) {
    struct Case {
        const char* what;
        QString line;
        qsizetype kept;    // of the 100 entries before
        QStringList tail;  // what the line adds
    };
    const Case cases[] = {
        {"a line of one entry", "new", 99, {"new", kBlank}},
        {"a line of two entries",
         Repeat('w', 100),
         98,
         {Repeat('w', 80), Repeat('w', 20), kBlank, kBlank}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StatusMessageLines lines;
        for (int i = 0; i < 50; ++i) {
            lines.AddLine(QString::number(i));
        }
        const QStringList before = lines.Entries();
        ASSERT_EQ(before.size(), 100);
        lines.AddLine(c.line);
        EXPECT_EQ(lines.Entries(), before.mid(before.size() - c.kept) + c.tail);
    }
}

TEST(StatusMessageLines, ObserverSeesEachEntryOnceWithoutEchoEntries) {
    StatusMessageLines lines;
    QStringList seen;
    lines.SetEntryObserver([&](const QString& entry) { seen << entry; });
    lines.ReceiveText(std::string(90, 'a') + "\r\r");
    EXPECT_EQ(seen, (QStringList{Repeat('a', 80), Repeat('a', 10), ""}));
}

TEST(StatusMessageLines, TerminalEchoAndTypedLine) {
    StatusMessageLines lines;
    lines.Echo(StatusMessageLines::kBackspace);
    EXPECT_TRUE(lines.Entries().isEmpty()) << "backspace on an empty list adds nothing";
    lines.Echo('a');
    EXPECT_EQ(lines.Entries(), QStringList{"a"});

    lines.AddLine(QStringLiteral("from router"));
    lines.ClearTypedLine();
    lines.Echo(StatusMessageLines::kBackspace);
    EXPECT_EQ(lines.TypedLine(), "") << "backspace on an empty typed line";
    EXPECT_EQ(lines.Entries().last(), "") << "the echo entry lost its blank";
    for (const char c : std::string("dir")) {
        lines.Echo(c);
    }
    lines.Echo(StatusMessageLines::kBackspace);
    EXPECT_EQ(lines.TypedLine(), "di");
    EXPECT_EQ(lines.Entries().last(), "di");
}

TEST(StatusMessageLines, TypedLineFitsOneFrameUpTo78Characters) {
    for (const auto& [count, fits] : {std::pair{0, true}, {78, true}, {79, false}}) {
        SCOPED_TRACE(count);
        StatusMessageLines lines;
        for (int i = 0; i < count; ++i) {
            lines.Echo('k');
        }
        EXPECT_EQ(lines.TypedLineFits(), fits);
    }
}

}  // namespace
}  // namespace zerandi::test
