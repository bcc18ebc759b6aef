#include <gtest/gtest.h>

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/ZerandiApplication.h"
#include "services/VersionInfo.h"
#include "shell/CMainFrame.h"
#include "shell/QtUiServices.h"
#include "support/QtPrinters.h"

namespace zerandi {
namespace {

std::optional<Qt::CursorShape> OverrideShape() {
    const QCursor* cursor = QApplication::overrideCursor();
    return cursor == nullptr ? std::nullopt : std::optional(cursor->shape());
}

class QtUiServicesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(app_.Start(PortChoice(), 9600));
        ui_.SetMainWindow(&app_.MainFrame());
    }
    void TearDown() override {
        while (QApplication::overrideCursor() != nullptr) {
            QApplication::restoreOverrideCursor();
        }
    }
    QWidget& AnyView() const {
        return *app_.MainFrame().MdiArea().subWindowList().constFirst()->widget();
    }

    QtUiServices ui_;
    ZerandiApplication app_{ui_};
};

TEST_F(QtUiServicesTest, BusyDisablesTheMainWindowAndShowsTheWaitCursorUntilBalanced) {
    ASSERT_TRUE(app_.MainFrame().isEnabled());

    ui_.beginBusy();
    EXPECT_TRUE(ui_.isBusy());
    EXPECT_FALSE(app_.MainFrame().isEnabled());
    EXPECT_FALSE(AnyView().isEnabled());
    EXPECT_EQ(OverrideShape(), Qt::WaitCursor);

    ui_.beginBusy();
    ui_.endBusy();
    EXPECT_TRUE(ui_.isBusy()) << "the outer operation still runs";
    EXPECT_FALSE(app_.MainFrame().isEnabled());
    EXPECT_EQ(OverrideShape(), Qt::WaitCursor);

    ui_.endBusy();
    EXPECT_FALSE(ui_.isBusy());
    EXPECT_TRUE(app_.MainFrame().isEnabled());
    EXPECT_TRUE(AnyView().isEnabled());
    EXPECT_EQ(OverrideShape(), std::nullopt);
}

TEST_F(QtUiServicesTest, AnUnmatchedEndLeavesOtherCursorsAlone) {
    QApplication::setOverrideCursor(Qt::CrossCursor);

    ui_.endBusy();

    EXPECT_FALSE(ui_.isBusy());
    EXPECT_EQ(OverrideShape(), Qt::CrossCursor);
    ui_.beginBusy();
    EXPECT_FALSE(app_.MainFrame().isEnabled()) << "an unmatched end is not saved up";
    ui_.endBusy();
}

TEST_F(QtUiServicesTest, AMessageDuringALongOperationCanBeAnswered) {
    ui_.beginBusy();
    bool boxEnabled = false;
    std::optional<Qt::CursorShape> shapeOverBox;
    QString caption;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        boxEnabled = box->isEnabled();
        shapeOverBox = OverrideShape();
        caption = box->windowTitle();
        box->button(QMessageBox::No)->click();
    });

    const MessageAnswer answer =
        ui_.showMessage("Reset the controller?", MessageIcon::Question, MessageButtons::YesNo);

    EXPECT_EQ(answer, MessageAnswer::No);
    EXPECT_TRUE(boxEnabled);
    EXPECT_EQ(shapeOverBox, Qt::ArrowCursor);
    EXPECT_EQ(caption, VersionInfo::ProductName());
    EXPECT_EQ(OverrideShape(), Qt::WaitCursor) << "the wait cursor comes back";
    ui_.endBusy();
}

TEST_F(QtUiServicesTest, MessageBoxesCarryTheIconButtonsAndCaptionAsked) {
    struct Case {
        MessageIcon icon;
        MessageButtons buttons;
        QString caption;
        QMessageBox::Icon expectedIcon;
        QMessageBox::StandardButtons expectedButtons;
        QString expectedCaption;
        MessageAnswer expectedAnswer;  // escape pressed
    };
    const Case cases[] = {
        {MessageIcon::Warning, MessageButtons::Ok, "", QMessageBox::Warning, QMessageBox::Ok,
         "Zerandi", MessageAnswer::Ok},
        {MessageIcon::Information, MessageButtons::OkCancel, "Salvo", QMessageBox::Information,
         QMessageBox::Ok | QMessageBox::Cancel, "Salvo", MessageAnswer::Cancel},
        {MessageIcon::Stop, MessageButtons::YesNo, "", QMessageBox::Critical,
         QMessageBox::Yes | QMessageBox::No, "Zerandi", MessageAnswer::No},
        {MessageIcon::None, MessageButtons::Ok, "", QMessageBox::NoIcon, QMessageBox::Ok, "Zerandi",
         MessageAnswer::Ok},
    };
    for (const Case& c : cases) {
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
        QString caption;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            icon = box->icon();
            buttons = box->standardButtons();
            caption = box->windowTitle();
            QTest::keyClick(box, Qt::Key_Escape);
        });
        const MessageAnswer answer = ui_.showMessage("text", c.icon, c.buttons, c.caption);
        EXPECT_EQ(icon, c.expectedIcon);
        EXPECT_EQ(buttons, c.expectedButtons);
        EXPECT_EQ(caption, c.expectedCaption);
        EXPECT_EQ(answer, c.expectedAnswer);
    }
}

}  // namespace
}  // namespace zerandi
