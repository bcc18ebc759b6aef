#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include "app/ZerandiApplication.h"
#include "serial/SerialLink.h"
#include "serial/SerialSettingsDialog.h"
#include "services/VersionInfo.h"
#include "shell/AboutDialog.h"
#include "shell/CMainFrame.h"
#include "shell/CustomMdiChildWnd.h"
#include "shell/LockKeyIndicators.h"
#include "shell/PendingView.h"
#include "support/MenuLookup.h"
#include "support/QtPrinters.h"
#include "support/ScriptedUiServices.h"

namespace zerandi {
namespace {

using test::ActionTexted;
using test::MenuTitled;
using test::Texts;

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(app_.Start(PortChoice(), 9600)); }

    QMdiArea& Area() const { return app_.MainFrame().MdiArea(); }
    QList<QMdiSubWindow*> Children() const { return Area().subWindowList(QMdiArea::CreationOrder); }
    QMdiSubWindow* Child(const QString& caption) const {
        for (QMdiSubWindow* child : Children()) {
            if (child->windowTitle() == caption) {
                return child;
            }
        }
        return nullptr;
    }
    QMenuBar& Bar() const { return *app_.MainFrame().menuBar(); }
    QStringList MenuTitles() const { return Texts(Bar().actions()); }

    test::ScriptedUiServices ui_;
    ZerandiApplication app_{ui_};
};

TEST_F(StartupTest, CreatesTheNineChildWindowsInOrderWithConfigurationAloneAtNormalSize) {
    const QStringList expected{"Status Messages", "Configuration", "Flash Memory",
                               "Connections",     "Scramble Map",  "Monitors",
                               "System Status",   "Port Types",    "Routing"};
    const QStringList expectedViews{"RouterStatusMessagesFormView",
                                    "RouterConfigFormView",
                                    "RouterFlashFormView",
                                    "RouterConnectFormView",
                                    "RouterScrambleMapFromView",
                                    "RouterMonitorsFormView",
                                    "SystemStatusView",
                                    "RouterPortTypesFormView",
                                    "RoutingGridView"};
    QStringList captions;
    QStringList views;
    for (QMdiSubWindow* child : Children()) {
        captions << child->windowTitle();
        views << qobject_cast<CustomMdiChildWnd*>(child)->View()->objectName();
        EXPECT_EQ(child->isMinimized(), child->windowTitle() != "Configuration")
            << child->windowTitle().toStdString();
        EXPECT_TRUE(child->isVisible());
    }
    EXPECT_EQ(captions, expected);
    EXPECT_EQ(views, expectedViews);
    EXPECT_EQ(Area().currentSubWindow(), Child("Configuration"));
    EXPECT_EQ(app_.MainFrame().windowTitle(), QStringLiteral("Zerandi"));
    EXPECT_TRUE(app_.MainFrame().isVisible());
    EXPECT_TRUE(ui_.Messages().empty());
}

TEST_F(StartupTest, TheViewsNotYetBuiltSaySoInsteadOfPretending) {
    for (QMdiSubWindow* child : Children()) {
        auto* view = qobject_cast<PendingView*>(qobject_cast<CustomMdiChildWnd*>(child)->View());
        ASSERT_NE(view, nullptr) << child->windowTitle().toStdString();
        QStringList texts;
        for (const QLabel* label : view->findChildren<QLabel*>()) {
            texts << label->text();
        }
        EXPECT_TRUE(texts.contains(child->windowTitle()));
        EXPECT_TRUE(texts.join(' ').contains("not available yet"));
    }
}

TEST_F(StartupTest, NoChildWindowCanBeClosed) {
    for (QMdiSubWindow* child : Children()) {
        SCOPED_TRACE(child->windowTitle().toStdString());
        auto* frame = qobject_cast<CustomMdiChildWnd*>(child);
        ASSERT_NE(frame, nullptr);
        ASSERT_NE(frame->SystemMenuCloseAction(), nullptr);
        EXPECT_FALSE(frame->SystemMenuCloseAction()->isEnabled());
        EXPECT_FALSE(child->close());
        EXPECT_TRUE(child->isVisible());
        // Changing the window's state must not bring the Close item back.
        child->showNormal();
        child->showMinimized();
        EXPECT_FALSE(frame->SystemMenuCloseAction()->isEnabled());
        frame->SystemMenuCloseAction()->trigger();
        EXPECT_TRUE(child->isVisible());
    }
    EXPECT_EQ(Children().size(), 9);
}

TEST_F(StartupTest, ExitClosesTheMainWindowDespiteTheChildren) {
    app_.MainFrame().ExitAction().trigger();
    EXPECT_FALSE(app_.MainFrame().isVisible());
}

TEST_F(StartupTest, HelpContentsShowsDisabledInTheMenusThatCarryIt) {
    const QStringList withContents{"Configuration", "Scramble Map", "Connections", "Port Types",
                                   "Monitors"};
    for (QMdiSubWindow* child : Children()) {
        SCOPED_TRACE(child->windowTitle().toStdString());
        Area().setActiveSubWindow(child);
        QMenu* help = MenuTitled(Bar(), "&Help");
        ASSERT_NE(help, nullptr);
        QAction* contents = ActionTexted(*help, "&Contents");
        QAction* usingHelp = ActionTexted(*help, "&Using Help");
        const bool expected = withContents.contains(child->windowTitle());
        EXPECT_EQ(contents != nullptr, expected);
        EXPECT_EQ(usingHelp != nullptr, expected);
        if (contents != nullptr) {
            EXPECT_FALSE(contents->isEnabled());
            EXPECT_FALSE(usingHelp->isEnabled());
        }
        EXPECT_NE(ActionTexted(*help, "&Obtaining Technical Support"), nullptr);
        EXPECT_NE(ActionTexted(*help, "&About Zerandi..."), nullptr);
    }
}

TEST_F(StartupTest, TheFrameShowsItsOwnMenuWhenNoChildIsActive) {
    // In the background the last active child stays current; so the program is in front.
    app_.MainFrame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&app_.MainFrame()));
    Area().setActiveSubWindow(nullptr);

    EXPECT_EQ(MenuTitles(), (QStringList{"&File", "&View", "&Communications", "&Window", "&Help"}));
    EXPECT_EQ(
        Texts(MenuTitled(Bar(), "&File")->actions()),
        (QStringList{"Back Up Router...", "Restore Router...", "Compare with Router...", "E&xit"}));
    EXPECT_EQ(Texts(MenuTitled(Bar(), "&View")->actions()),
              (QStringList{"&Toolbar", "&Status Bar", "&Routing"}));
    EXPECT_EQ(Texts(MenuTitled(Bar(), "&Communications")->actions()), QStringList{"&Setup..."});
    EXPECT_EQ(Texts(MenuTitled(Bar(), "&Help")->actions()),
              (QStringList{"&Obtaining Technical Support", "&About Zerandi..."}));

    Area().setActiveSubWindow(Child("Monitors"));
    EXPECT_NE(ActionTexted(*MenuTitled(Bar(), "&Help"), "&Contents"), nullptr);
}

TEST_F(StartupTest, StatusBarShowsTheHelpPromptAndTheLockPanes) {
    CMainFrame& frame = app_.MainFrame();
    EXPECT_EQ(frame.MessagePane().text(), QStringLiteral("For Help, press F1"));
    EXPECT_TRUE(frame.MessagePane().isVisible());
    EXPECT_TRUE(frame.Indicators().isVisible());
    EXPECT_TRUE(frame.statusBar()->isAncestorOf(&frame.Indicators()));
    EXPECT_TRUE(frame.statusBar()->isAncestorOf(&frame.MessagePane()));
}

TEST_F(StartupTest, ViewMenuShowsAndHidesTheBars) {
    QMenu* view = MenuTitled(Bar(), "&View");
    ASSERT_NE(view, nullptr);
    const std::pair<QString, QWidget*> cases[] = {
        {"&Toolbar", &app_.MainFrame().ToolBar()},
        {"&Status Bar", app_.MainFrame().statusBar()},
    };
    for (const auto& [entry, bar] : cases) {
        SCOPED_TRACE(entry.toStdString());
        emit view->aboutToShow();
        QAction* toggle = ActionTexted(*view, entry);
        ASSERT_NE(toggle, nullptr);
        EXPECT_TRUE(toggle->isChecked());
        toggle->trigger();
        EXPECT_TRUE(bar->isHidden());
        emit view->aboutToShow();
        EXPECT_FALSE(toggle->isChecked());
        toggle->trigger();
        EXPECT_FALSE(bar->isHidden());
    }
}

TEST_F(StartupTest, ViewMenuBringsTheRoutingWindowForwardWhileItIsShown) {
    QMenu* view = MenuTitled(Bar(), "&View");
    ASSERT_NE(view, nullptr);
    QAction* routing = ActionTexted(*view, "&Routing");
    ASSERT_NE(routing, nullptr);
    emit view->aboutToShow();
    ASSERT_TRUE(routing->isEnabled());
    routing->trigger();
    EXPECT_EQ(Area().currentSubWindow(), Child("Routing"));
    EXPECT_FALSE(Child("Routing")->isMinimized());

    Child("Routing")->hide();  // as for a router not known
    emit view->aboutToShow();
    EXPECT_FALSE(routing->isEnabled());
}

TEST_F(StartupTest, WindowMenuListsTheChildrenAndRestoresTheOneChosen) {
    QMenu& window = app_.MainFrame().WindowMenu();
    emit window.aboutToShow();

    const QStringList entries = Texts(window.actions());
    EXPECT_EQ(entries, (QStringList{"&Cascade", "&Tile", "&Arrange Icons", "&1 Status Messages",
                                    "&2 Configuration", "&3 Flash Memory", "&4 Connections",
                                    "&5 Scramble Map", "&6 Monitors", "&7 System Status",
                                    "&8 Port Types", "&9 Routing"}));
    for (QAction* entry : window.actions()) {
        if (entry->text().startsWith('&') && entry->text().at(1).isDigit()) {
            EXPECT_EQ(entry->isChecked(), entry->text() == "&2 Configuration")
                << entry->text().toStdString();
        }
    }

    ActionTexted(window, "&4 Connections")->trigger();
    EXPECT_EQ(Area().currentSubWindow(), Child("Connections"));
    EXPECT_FALSE(Child("Connections")->isMinimized());

    emit window.aboutToShow();
    EXPECT_TRUE(ActionTexted(window, "&4 Connections")->isChecked());
    EXPECT_FALSE(ActionTexted(window, "&2 Configuration")->isChecked());
    EXPECT_EQ(Texts(window.actions()).size(), entries.size()) << "the list is not doubled";
}

TEST_F(StartupTest, ArrangeIconsLinesTheMinimizedWindowsUpAlongTheBottom) {
    const int bottom = Area().viewport()->height();
    for (QMdiSubWindow* child : Children()) {
        if (child->isMinimized()) {
            child->move(40, 40);
        }
    }

    app_.MainFrame().ArrangeIcons();

    QList<QRect> icons;
    for (QMdiSubWindow* child : Children()) {
        if (child->isMinimized()) {
            icons << child->geometry();
        }
    }
    ASSERT_EQ(icons.size(), 8);
    EXPECT_EQ(icons[0].bottom() + 1, bottom);
    EXPECT_EQ(icons[0].left(), 0);
    for (int i = 0; i < icons.size(); ++i) {
        EXPECT_LE(icons[i].bottom() + 1, bottom);
        EXPECT_GE(icons[i].top(), 0);
        for (int j = i + 1; j < icons.size(); ++j) {
            EXPECT_FALSE(icons[i].intersects(icons[j])) << i << " overlaps " << j;
        }
    }
}

TEST_F(StartupTest, TileSharesTheSpaceAboveTheIconsAndLeavesThemInSight) {
    for (const QString caption : {"Connections", "Monitors"}) {
        Child(caption)->showNormal();
    }
    Child("Port Types")->showMaximized();

    app_.MainFrame().TileChildren();

    QList<QRect> open;
    QList<QRect> icons;
    for (QMdiSubWindow* child : Children()) {
        EXPECT_FALSE(child->isMaximized()) << child->windowTitle().toStdString();
        (child->isMinimized() ? icons : open) << child->geometry();
    }
    ASSERT_EQ(open.size(), 4);
    ASSERT_EQ(icons.size(), 5);
    const QRect area = Area().viewport()->rect();
    for (int i = 0; i < open.size(); ++i) {
        EXPECT_TRUE(area.contains(open[i])) << i;
        for (const QRect& icon : icons) {
            EXPECT_FALSE(open[i].intersects(icon)) << i << " covers an icon";
        }
        for (int j = i + 1; j < open.size(); ++j) {
            EXPECT_FALSE(open[i].intersects(open[j])) << i << " overlaps " << j;
        }
    }
}

TEST_F(StartupTest, AboutShowsNameVersionCopyrightAndCompany) {
    QStringList lines;
    QString title;
    ui_.HandleNextDialog([&](QDialog& dialog) {
        auto* about = qobject_cast<AboutDialog*>(&dialog);
        if (about != nullptr) {
            lines = about->Lines();
            title = about->windowTitle();
        }
        return true;
    });

    app_.MainFrame().AboutAction().trigger();

    EXPECT_EQ(title, QStringLiteral("About Zerandi"));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("Zerandi ") + VersionInfo::FileVersion());
    EXPECT_EQ(lines[1], VersionInfo::LegalCopyright());
    EXPECT_EQ(lines[2], VersionInfo::CompanyName());
    for (const QString& line : lines) {
        EXPECT_FALSE(line.contains("Uninitialized"));
    }
}

TEST_F(StartupTest, TechnicalSupportShowsTheContactsInAnInformationBox) {
    app_.MainFrame().TechnicalSupportAction().trigger();

    ASSERT_EQ(ui_.Messages().size(), 1u);
    EXPECT_EQ(ui_.Messages()[0].icon, MessageIcon::Information);
    EXPECT_EQ(ui_.Messages()[0].buttons, MessageButtons::Ok);
    EXPECT_TRUE(ui_.Messages()[0].text.contains("Zerandi Systems"));
    EXPECT_TRUE(ui_.Messages()[0].text.contains("Telephone"));
}

TEST_F(StartupTest, SetupOpensTheSettingsDialogOnTheSharedLink) {
    QString shownPort;
    bool wasSettingsDialog = false;
    ui_.HandleNextDialog([&](QDialog& dialog) {
        auto* settings = qobject_cast<SerialSettingsDialog*>(&dialog);
        wasSettingsDialog = settings != nullptr;
        if (wasSettingsDialog) {
            shownPort = settings->PortList().currentText();
        }
        return false;
    });

    app_.MainFrame().SetupAction().trigger();

    EXPECT_TRUE(wasSettingsDialog);
    EXPECT_EQ(shownPort, QStringLiteral("none")) << "the link was started without a port";
    EXPECT_FALSE(app_.Document().CommPort().IsOpen());
}

TEST_F(StartupTest, AMissingFrameIsAnInternalError) {
    app_.ConfigureFrame(nullptr, true);

    ASSERT_EQ(ui_.Messages().size(), 1u);
    EXPECT_EQ(ui_.Messages()[0].text, "Internal SW ERROR\n\nConfigureFrame - NULL pointer");
    EXPECT_EQ(ui_.Messages()[0].icon, MessageIcon::Warning);
}

TEST(StartupFailureTest, AViewThatCannotBeCreatedFailsTheStart) {
    test::ScriptedUiServices ui;
    ZerandiApplication app(ui);
    app.SetViewFactory(ViewId::Monitors, [](ViewContext&) { return std::unique_ptr<QWidget>(); });

    EXPECT_FALSE(app.Start(PortChoice(), 9600));
}

}  // namespace
}  // namespace zerandi
