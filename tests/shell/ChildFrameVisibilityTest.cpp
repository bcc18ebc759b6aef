#include <gtest/gtest.h>

#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <vector>

#include "shell/ChildFrameVisibility.h"

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

}  // namespace
}  // namespace zerandi::test
