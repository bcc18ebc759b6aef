#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <vector>

#include "app/InstalledViews.h"
#include "app/ZerandiApplication.h"
#include "shell/CMainFrame.h"
#include "shell/QtUiServices.h"
#include "support/SimulatedRouter.h"

namespace zerandi {
namespace {

// The real services, except that a message box is not shown: instead it looks at the
// screen at that moment, while the operation that raised it still runs, and tries to
// start a second one.
class ProbingUiServices : public QtUiServices {
public:
    struct Probe {
        bool mainWindowEnabled;
        bool waitCursor;
        size_t framesBeforeClick;
        size_t framesAfterClick;
    };

    MessageAnswer showMessage(const QString&, MessageIcon, MessageButtons,
                              const QString&) override {
        Probe probe{mainFrame->isEnabled(), CursorIsWait(), router->ReceivedFrames().size(), 0};
        QTest::mouseClick(secondCommand, Qt::LeftButton);
        probe.framesAfterClick = router->ReceivedFrames().size();
        probes.push_back(probe);
        return MessageAnswer::Ok;
    }

    static bool CursorIsWait() {
        const QCursor* cursor = QApplication::overrideCursor();
        return cursor != nullptr && cursor->shape() == Qt::WaitCursor;
    }

    QWidget* mainFrame = nullptr;
    QPushButton* secondCommand = nullptr;
    zsim::SimRouter* router = nullptr;
    std::vector<Probe> probes;
};

TEST(BusyStateTest, WhileReadAllRunsTheMainWindowIsDisabledAndNoSecondCommandStarts) {
    test::SimulatedRouter simulator;
    ASSERT_TRUE(simulator.Start("QR1206"));
    zsim::SimRouter& router = simulator.Router();
    ProbingUiServices ui;
    ZerandiApplication app(ui);
    InstallViews(app);
    ASSERT_TRUE(app.Start(simulator.Port(), 9600));
    ui.SetMainWindow(&app.MainFrame());

    QWidget* view = app.MainFrame().MdiArea().activeSubWindow()->widget();
    auto* readAll = view->findChild<QPushButton*>(QStringLiteral("readAll"));
    ASSERT_NE(readAll, nullptr);
    ui.secondCommand = readAll;  // pressed again while the first read still runs
    ui.mainFrame = &app.MainFrame();
    ui.router = &router;
    // The card address is refused, so a box comes up in the middle of "Read All".
    router.InjectFault(
        {.kind = zsim::SimFault::Kind::Refuse, .param = 2, .command = 0x44, .subCommand = 0});

    QTest::mouseClick(readAll, Qt::LeftButton);

    ASSERT_FALSE(ui.probes.empty());
    for (const ProbingUiServices::Probe& probe : ui.probes) {
        EXPECT_FALSE(probe.mainWindowEnabled);
        EXPECT_TRUE(probe.waitCursor);
        EXPECT_EQ(probe.framesAfterClick, probe.framesBeforeClick);
    }
    EXPECT_TRUE(app.MainFrame().isEnabled());
    EXPECT_FALSE(ProbingUiServices::CursorIsWait());
}

}  // namespace
}  // namespace zerandi
