#include <gtest/gtest.h>

#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <vector>

#include "shell/CMainFrame.h"
#include "shell/ChildFrameVisibility.h"
#include "support/ScriptedUiServices.h"

namespace zerandi::test {
namespace {

TEST(ChildFrameVisibilityTest, AWindowShownAgainKeepsTheActiveOneAndJoinsTheIcons) {
    QMainWindow main;
    auto* area = new QMdiArea(&main);
    main.setCentralWidget(area);
    main.resize(900, 600);
    std::vector<QMdiSubWindow*> children;
    for (int i = 0; i < 4; ++i) {
        children.push_back(area->addSubWindow(new QLabel(QStringLiteral("view %1").arg(i))));
    }
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    QMdiSubWindow* active = children[0];
    QMdiSubWindow* hidden = children[3];
    for (QMdiSubWindow* child : {children[1], children[2], hidden}) {
        child->showMinimized();
    }
    children[1]->move(0, 500);
    children[2]->move(children[1]->width(), 500);
    hidden->move(300, 100);
    area->setActiveSubWindow(active);

    const QWidget* view = hidden->widget();
    ShowChildFrame(*view, false);
    EXPECT_FALSE(hidden->isVisible());
    ShowChildFrame(*view, true);
    EXPECT_TRUE(hidden->isVisible());
    EXPECT_TRUE(hidden->isMinimized());
    EXPECT_EQ(area->activeSubWindow(), active);
    EXPECT_EQ(hidden->pos(), QPoint(children[2]->x() + children[2]->width(), 500));
    EXPECT_EQ(ChildFrameOf(*view), hidden);
}

TEST(ChildFrameVisibilityTest, AWindowIsHiddenAndShownBeforeTheMainWindowAppears) {
    QMainWindow main;
    auto* area = new QMdiArea(&main);
    main.setCentralWidget(area);
    QMdiSubWindow* child = area->addSubWindow(new QLabel(QStringLiteral("view")));
    const QWidget* view = child->widget();
    ShowChildFrame(*view, false);
    EXPECT_TRUE(child->isHidden());
    ShowChildFrame(*view, true);
    EXPECT_FALSE(child->isHidden());
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    EXPECT_TRUE(child->isVisible());
}

TEST(ChildFrameVisibilityTest, AnIconThatIsHiddenLeavesNoGapInTheRow) {
    ScriptedUiServices ui;
    CMainFrame frame(ui);
    frame.resize(900, 600);
    QMdiArea& area = frame.MdiArea();
    std::vector<QMdiSubWindow*> icons;
    for (int i = 0; i < 3; ++i) {
        icons.push_back(area.addSubWindow(new QLabel(QStringLiteral("view %1").arg(i))));
    }
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    for (QMdiSubWindow* icon : icons) {
        icon->showMinimized();
    }
    frame.ArrangeIcons();
    const QPoint secondPlace = icons[1]->pos();

    ShowChildFrame(*icons[1]->widget(), false);
    EXPECT_TRUE(icons[1]->isHidden());
    EXPECT_EQ(icons[2]->pos(), secondPlace);
}

}  // namespace
}  // namespace zerandi::test
