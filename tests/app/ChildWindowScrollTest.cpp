#include <gtest/gtest.h>

#include <QMdiArea>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

#include "app/InstalledViews.h"
#include "app/ZerandiApplication.h"
#include "shell/CMainFrame.h"
#include "shell/CustomMdiChildWnd.h"
#include "support/ScriptedUiServices.h"

namespace zerandi {
namespace {

TEST(ChildWindowScrollTest, AWindowSmallerThanItsViewScrollsInsteadOfCuttingItOff) {
    test::ScriptedUiServices ui;
    ZerandiApplication app(ui);
    InstallViews(app);
    ASSERT_TRUE(app.Start(PortChoice(), 9600));
    auto* child = qobject_cast<CustomMdiChildWnd*>(app.MainFrame().MdiArea().activeSubWindow());
    ASSERT_NE(child, nullptr);
    QWidget* view = child->View();
    ASSERT_NE(view, nullptr);
    const QSize fitted = child->size();
    EXPECT_GE(view->width(), view->sizeHint().width());

    child->resize(fitted / 2);
    auto* area = qobject_cast<QScrollArea*>(child->widget());
    ASSERT_NE(area, nullptr);
    EXPECT_GT(area->verticalScrollBar()->maximum(), 0);
    EXPECT_GT(area->horizontalScrollBar()->maximum(), 0);
    EXPECT_GE(view->height(), view->minimumSizeHint().height());

    auto* writeAll = view->findChild<QPushButton*>(QStringLiteral("writeAll"));
    ASSERT_NE(writeAll, nullptr);
    area->ensureWidgetVisible(writeAll);
    const QPoint inViewport = writeAll->mapTo(area->viewport(), QPoint(0, 0));
    EXPECT_TRUE(area->viewport()->rect().contains(inViewport));
}

}  // namespace
}  // namespace zerandi
