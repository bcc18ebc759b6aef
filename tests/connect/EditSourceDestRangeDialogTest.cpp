#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "connect/EditSourceDestRangeDialog.h"
#include "support/AccessibilityAudit.h"
#include "support/ScriptedUiServices.h"
#include "support/WireCodes.h"

namespace zerandi::test {
namespace {

constexpr int32_t kTriStateModel = 8;  // 16 inputs, 8 outputs
constexpr int32_t kPlainModel = 64;

RangeDialogSetup SingleTake(int32_t productId) {
    RangeDialogSetup setup;
    setup.kind = RangeDialogKind::SingleTake;
    setup.title = QStringLiteral("Edit Single Take");
    setup.confirmText = QStringLiteral("Modify");
    setup.cancelText = QStringLiteral("Cancel");
    setup.productId = productId;
    setup.inputLimit = 16;
    setup.outputLimit = 8;
    return setup;
}

class RangeDialogTest : public ::testing::Test {
protected:
    void Open(const RangeDialogSetup& setup, const RangeDialogValues& presets) {
        dialog = std::make_unique<EditSourceDestRangeDialog>(ui, setup, presets);
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    }
    template <typename Widget>
    Widget& Find(const char* name) const {
        auto* widget = dialog->findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return *widget;
    }
    void Retype(const char* field, const QString& text) {
        auto& edit = Find<QLineEdit>(field);
        edit.setFocus();
        QTest::keyClick(&edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(&edit, text);
    }
    bool Confirm() {
        Find<QPushButton>("confirm").click();
        return dialog->result() == QDialog::Accepted;
    }
    void ClickTriState() {
        QTest::mouseClick(&Find<QCheckBox>("triState"), Qt::LeftButton, {}, QPoint(5, 5));
    }

    ScriptedUiServices ui;
    std::unique_ptr<EditSourceDestRangeDialog> dialog;
};

TEST_F(RangeDialogTest, ATriStateEntryCanBeConfirmedOrGivenAnInput) {
    Open(SingleTake(kTriStateModel), {kTri, 2, 0});
    EXPECT_TRUE(Find<QCheckBox>("triState").isVisible());
    EXPECT_TRUE(Find<QCheckBox>("triState").isChecked());
    EXPECT_FALSE(Find<QLineEdit>("firstValue").isEnabled());
    EXPECT_EQ(UnnamedInputControls(dialog.get()), QStringList{});
    ASSERT_TRUE(Confirm());
    EXPECT_EQ(dialog->Values(), (RangeDialogValues{kTri, 2, 0}));

    Open(SingleTake(kTriStateModel), {kTri, 2, 0});
    ClickTriState();
    Retype("firstValue", "3");
    ASSERT_TRUE(Confirm());
    EXPECT_EQ(dialog->Values(), (RangeDialogValues{3, 2, 0}));

    Open(SingleTake(kTriStateModel), {5, 2, 0});
    ClickTriState();
    ASSERT_TRUE(Confirm());
    EXPECT_EQ(dialog->Values(), (RangeDialogValues{kTri, 2, 0}));
    EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(RangeDialogTest, MonitorPairTakesTheOutputAsTyped) {
    RangeDialogSetup setup = SingleTake(kPlainModel);
    setup.kind = RangeDialogKind::MonitorPair;
    setup.firstLabel = QStringLiteral("Output");
    setup.outputLabel = QStringLiteral("Monitor");
    setup.outputLimit = 2;
    Open(setup, {1, 1, 0});
    EXPECT_EQ(Find<QLineEdit>("firstValue").maxLength(), 4);
    EXPECT_EQ(Find<QLineEdit>("firstValue").accessibleName(), "Output");
    EXPECT_EQ(Find<QLineEdit>("outputValue").accessibleName(), "Monitor (1-2)");
    EXPECT_FALSE(Find<QLineEdit>("lastOutputValue").isVisible());
    Retype("firstValue", "0");
    ASSERT_TRUE(Confirm());
    EXPECT_EQ(dialog->Values(), (RangeDialogValues{0, 1, 0}));
}

}  // namespace
}  // namespace zerandi::test
