#include "services/InternalError.h"

#include <gtest/gtest.h>

#include "support/ScriptedUiServices.h"

namespace zerandi {
namespace {

TEST(ReportInternalErrorTest, ShowsOneWarningBoxCutToTheBoxLimit) {
    const struct {
        QString message;
        QString text;
    } cases[] = {
        {QStringLiteral("ConfigureFrame - NULL pointer"),
         QStringLiteral("Internal SW ERROR\n\nConfigureFrame - NULL pointer")},
        {QString(300, u'm'), QStringLiteral("Internal SW ERROR\n\n") + QString(230, u'm')},
        {QString(230, u'm'), QStringLiteral("Internal SW ERROR\n\n") + QString(230, u'm')},
    };
    for (const auto& c : cases) {
        test::ScriptedUiServices ui;
        ReportInternalError(ui, c.message);
        ASSERT_EQ(ui.Messages().size(), 1u);
        const auto& box = ui.Messages().front();
        EXPECT_EQ(box.text, c.text);
        EXPECT_LE(box.text.size(), 249);
        EXPECT_EQ(box.icon, MessageIcon::Warning);
        EXPECT_EQ(box.buttons, MessageButtons::Ok);
        EXPECT_TRUE(box.caption.isEmpty()) << "the product name is the default caption";
    }
}

}  // namespace
}  // namespace zerandi
