#include <gtest/gtest.h>

#include <QString>
#include <map>
#include <memory>

#include "protocol/CommResultText.h"
#include "protocol/RouterDiagnosticCommPort.h"
#include "serial/QtSerialDevice.h"
#include "support/FakeClock.h"
#include "support/ScriptedUiServices.h"

namespace zerandi::test {
namespace {

constexpr int kFirstUnusedCode = 29;

// The box every failure code shows; codes left out show "unknown Comm error", and 0 and 4
// (the time-out) show none.
const std::map<int, QString> kListedTexts = {
    {2, "No Comm channel"},
    {3, "Transmit Failure"},
    {5, "Received message had invalid size."},
    {8, "Error Message Received: \"undefined error\""},
    {9, "Error Message Received: \"Invalid data\""},
    {10, "Error Message Received: \"Cannot Execute Command\""},
    {11, "Error Message Received: \"Checksum Error\""},
    {12, "Error Message Received: \"Unknown command\""},
    {13, "Error Message Received: \"Comm Port Overrun\""},
    {14, "Error Message Received: \"Count Error\""},
    {15, "Error Message Received: \"Unmapped Error\""},
    {16, "Error Message Received: \"Parity Error\""},
    {17, "Error Message Received: \"Command not supported\""},
    {18, "Error Message Received: \"Busy\""},
    {19, "Error Message Received: \"Sequence Error\""},
    {20, "Error Message Received: \"Ascii Error Msg\""},
};

QString ExpectedText(int code) {
    if (code == 0 || code == 4) {
        return {};
    }
    const auto listed = kListedTexts.find(code);
    return listed != kListedTexts.end() ? listed->second : QStringLiteral("unknown Comm error");
}

class ReportCommResultTest : public ::testing::Test {
protected:
    ScriptedUiServices ui;
    FakeClock clock;
    RouterDiagnosticCommPort port{ui, std::make_unique<QtSerialDevice>(), clock};
};

TEST_F(ReportCommResultTest, EveryCodeShowsItsTextWithTheWarningIconAndTheProductName) {
    for (int code = 0; code <= kFirstUnusedCode; ++code) {
        ui.ClearMessages();
        const auto result = static_cast<CommResult>(code);
        const QString expected = ExpectedText(code);
        EXPECT_EQ(port.ReportCommResult(result, true), code == 0) << "code " << code;
        EXPECT_EQ(CommResultText(result), expected) << "code " << code;
        if (expected.isEmpty()) {
            EXPECT_TRUE(ui.Messages().empty()) << "code " << code;
            continue;
        }
        ASSERT_EQ(ui.Messages().size(), 1u) << "code " << code;
        const auto& box = ui.Messages().front();
        EXPECT_EQ(box.text, expected) << "code " << code;
        EXPECT_EQ(box.icon, MessageIcon::Warning) << "code " << code;
        EXPECT_EQ(box.buttons, MessageButtons::Ok) << "code " << code;
        EXPECT_TRUE(box.caption.isEmpty()) << "code " << code;
    }
}

TEST_F(ReportCommResultTest, AQuietReportOnlyTellsSuccessFromFailure) {
    for (int code = 0; code <= kFirstUnusedCode; ++code) {
        EXPECT_EQ(port.ReportCommResult(static_cast<CommResult>(code), false), code == 0)
            << "code " << code;
    }
    EXPECT_TRUE(ui.Messages().empty());
}

}  // namespace
}  // namespace zerandi::test
