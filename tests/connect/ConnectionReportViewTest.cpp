#include <gtest/gtest.h>

#include <QDir>

#include "connect/ConnectViewFixture.h"
#include "support/TempFiles.h"

namespace zerandi::test {
namespace {

using ConnectionReportViewTest = ConnectViewFixture;

// The bytes after the header block's "$Version:" line.
QByteArray AfterHeader(const QByteArray& report) {
    const qsizetype version = report.indexOf("$Version:");
    const qsizetype lineEnd = report.indexOf("\r\n", version);
    return version < 0 || lineEnd < 0 ? QByteArray("<no header>") : report.mid(lineEnd + 2);
}

TEST_F(ConnectionReportViewTest, WrittenReportHoldsTheListInColumnsWithCrLf) {
    const struct {
        const char* model;
        QByteArray body;
    } cases[] = {
        {"QR1206",
         "\r\nQUARVEN Router: QR1206\r\n\r\n\r\n           Input    Output\r\n"
         "           ------------------\r\n"
         "           TRI  -->   1\r\n"
         "            12  -->   2\r\n\r\n"},
        {"QR1207",
         "\r\nQUARVEN Router: QR1207\r\n\r\n\r\nInput             Output      Flags\r\n"
         "------            ------      -----\r\n"
         "1011       -->        1    1111\r\n"
         " 12        -->        2    0100\r\n\r\n"},
    };
    for (const auto& c : cases) {
        StartRouter(c.model, [](zsim::RouterState& state) {
            state.crosspoints[0] = 0xF3F3;
            state.crosspoints[1] = state.dataRouter ? 0x400C : 12;
        });
        Type("rangeStart", "1");
        Type("rangeEnd", "2");
        Click("readRange");
        const QString path = TempPath("conn.txt");
        ui.AnswerNextFilePrompt(path);
        Trigger("writeReport");
        EXPECT_EQ(ui.FilePrompts().back().initialName, "new_conn.txt");
        EXPECT_EQ(ui.FilePrompts().back().defaultExtension, "txt");
        const QByteArray report = ReadFileBytes(path);
        EXPECT_TRUE(report.startsWith("#-")) << c.model;
        EXPECT_EQ(AfterHeader(report), c.body) << c.model;
        EXPECT_TRUE(ui.Messages().empty());
    }
}

TEST_F(ConnectionReportViewTest, PrintReportPrintsTheTemporaryReportOrSaysItCannot) {
    StartRouter("QR1206");
    Trigger("printReport");
    Trigger("printReport");
    ASSERT_EQ(ui.PrintedFiles().size(), 2u);
    // Each print writes the report into a temporary folder of its own.
    EXPECT_TRUE(ui.PrintedFiles()[0].endsWith("/tmpcon00.txt"));
    EXPECT_TRUE(ui.PrintedFiles()[1].endsWith("/tmpcon00.txt"));
    EXPECT_EQ(AfterHeader(ui.PrintedContents()[0]),
              "\r\nQUARVEN Router: QR1206\r\n\r\n\r\n           Input    Output\r\n"
              "           ------------------\r\n\r\n");

    ui.SetPrinterAvailable(false);
    Trigger("printReport");
    EXPECT_EQ(ui.MessageTexts(), std::vector<QString>{"Unable to print."});

    ForgetRouter();
    ui.SetPrinterAvailable(true);
    view->PrintReport();
    EXPECT_EQ(AfterHeader(ui.PrintedContents().back()), "\r\n\r\nDATA NOT VALID");
}

TEST_F(ConnectionReportViewTest, WriteWithoutAFileNameIsAnInternalError) {
    StartRouter("QR1206");
    EXPECT_FALSE(view->WriteToTxtFile({}));
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_TRUE(ui.Messages()[0].text.contains(
        QStringLiteral("RouterConnectFormView::WriteToTxtFile - no file name")));
}

}  // namespace
}  // namespace zerandi::test
