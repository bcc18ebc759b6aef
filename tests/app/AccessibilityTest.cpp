#include <gtest/gtest.h>

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>

#include "app/InstalledViews.h"
#include "app/ZerandiApplication.h"
#include "serial/SerialSettingsDialog.h"
#include "shell/CMainFrame.h"
#include "support/AccessibilityAudit.h"
#include "support/QtPrinters.h"
#include "support/ScriptedUiServices.h"
#include "support/SimulatedRouter.h"

namespace zerandi::test {
namespace {

// Every window after "Read All" on routers that enable the most controls: a screen reader
// or desktop automation finds each enabled input control by its name.
TEST(AccessibilityTest, EveryEnabledInputControlOfEveryWindowHasAName) {
    for (const char* model : {"QR1209", "QR1205", "QR1207"}) {
        SCOPED_TRACE(model);
        SimulatedRouter simulator;
        ASSERT_TRUE(simulator.Start(model));
        ScriptedUiServices ui;
        ZerandiApplication app(ui);
        InstallViews(app);
        ASSERT_TRUE(app.Start(simulator.Port(), 9600));
        for (QMdiSubWindow* child : app.MainFrame().MdiArea().subWindowList()) {
            if (auto* readAll = child->findChild<QPushButton*>(QStringLiteral("readAll"))) {
                QTest::mouseClick(readAll, Qt::LeftButton);
            }
        }
        EXPECT_EQ(UnnamedInputControls(&app.MainFrame()), QStringList());

        SerialSettingsDialog settings(app.Document().CommPort(), ui);
        EXPECT_EQ(UnnamedInputControls(&settings), QStringList());
    }
}

}  // namespace
}  // namespace zerandi::test
