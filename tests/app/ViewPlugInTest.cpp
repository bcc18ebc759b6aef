#include <gtest/gtest.h>

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QWidget>
#include <set>

#include "app/ZerandiApplication.h"
#include "shell/CMainFrame.h"
#include "shell/CustomMdiChildWnd.h"
#include "shell/ViewCommands.h"
#include "shell/ViewMenuSet.h"
#include "support/MenuLookup.h"
#include "support/QtPrinters.h"
#include "support/ScriptedUiServices.h"

namespace zerandi {
namespace {

using test::MenuTitled;
using test::Texts;

// A view that adds the kind of items real views add, and handles Save (and, once told,
// Print) from the toolbar.
class CommandingView : public QWidget, public ViewCommands {
public:
    explicit CommandingView(SerialLink& link) : link(link) {}

    void AddMenuItems(ViewMenuSet& menus) override {
        menus.File().addAction(QStringLiteral("&Open...\tCtrl+O"));
        menus.Edit().addAction(QStringLiteral("&Clear List"));
        QMenu* routerType = menus.Communications().addMenu(QStringLiteral("Set Router Type"));
        routerType->addAction(QStringLiteral("QR1206"));
        menus.AddMenu(QStringLiteral("&Settings"))
            .addAction(QStringLiteral("Auto Read after Take"));
    }
    bool HandlesCommand(StandardCommand command) const override {
        return handled.count(command) > 0;
    }
    void RunCommand(StandardCommand command) override { ran.push_back(command); }
    void Handle(StandardCommand command) {
        handled.insert(command);
        NotifyCommandsChanged();
    }

    SerialLink& link;
    std::set<StandardCommand> handled{StandardCommand::Save};
    std::vector<StandardCommand> ran;
};

class ViewPlugInTest : public ::testing::Test {
protected:
    void SetUp() override {
        app_.SetViewFactory(ViewId::Configuration, [this](ViewContext& context) {
            auto view = std::make_unique<CommandingView>(context.doc.CommPort());
            view_ = view.get();
            return view;
        });
        ASSERT_TRUE(app_.Start(PortChoice(), 9600));
        ASSERT_NE(view_, nullptr);
    }

    CMainFrame& Frame() const { return app_.MainFrame(); }
    QMenuBar& Bar() const { return *Frame().menuBar(); }
    void Activate(const QString& caption) {
        for (QMdiSubWindow* child : Frame().MdiArea().subWindowList()) {
            if (child->windowTitle() == caption) {
                Frame().MdiArea().setActiveSubWindow(child);
            }
        }
    }
    std::set<StandardCommand> EnabledCommands() const {
        std::set<StandardCommand> enabled;
        for (StandardCommand command :
             {StandardCommand::New, StandardCommand::Open, StandardCommand::Save,
              StandardCommand::Cut, StandardCommand::Copy, StandardCommand::Paste,
              StandardCommand::Print}) {
            if (Frame().CommandAction(command).isEnabled()) {
                enabled.insert(command);
            }
        }
        return enabled;
    }

    test::ScriptedUiServices ui_;
    ZerandiApplication app_{ui_};
    CommandingView* view_ = nullptr;
};

TEST_F(ViewPlugInTest, TheFactoryBuildsTheViewOnTheSharedLink) {
    EXPECT_EQ(&view_->link, &app_.Document().CommPort());
    EXPECT_EQ(view_->window()->windowTitle(), QStringLiteral("Zerandi"));
    auto* child = qobject_cast<CustomMdiChildWnd*>(Frame().MdiArea().currentSubWindow());
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->View(), view_);
    EXPECT_EQ(child->windowTitle(), QStringLiteral("Configuration"));
}

TEST_F(ViewPlugInTest, TheActiveViewsMenuBarCarriesItsOwnItems) {
    Activate("Configuration");

    EXPECT_EQ(Texts(Bar().actions()), (QStringList{"&File", "&Edit", "&View", "&Communications",
                                                   "&Settings", "&Window", "&Help"}));
    EXPECT_EQ(Texts(MenuTitled(Bar(), "&File")->actions()),
              (QStringList{"&Open...\tCtrl+O", "Back Up Router...", "Restore Router...",
                           "Compare with Router...", "E&xit"}));
    EXPECT_EQ(Texts(MenuTitled(Bar(), "&Communications")->actions()),
              (QStringList{"&Setup...", "Set Router Type"}));

    Activate("Status Messages");
    EXPECT_EQ(Texts(Bar().actions()),
              (QStringList{"&File", "&View", "&Communications", "&Window", "&Help"}));
    EXPECT_EQ(Texts(MenuTitled(Bar(), "&Communications")->actions()), QStringList{"&Setup..."});
}

TEST_F(ViewPlugInTest, ToolbarButtonsFollowWhatTheActiveViewHandles) {
    Activate("Configuration");
    EXPECT_EQ(EnabledCommands(), std::set<StandardCommand>{StandardCommand::Save});
    EXPECT_TRUE(Frame().AboutAction().isEnabled());

    view_->Handle(StandardCommand::Print);
    EXPECT_EQ(EnabledCommands(),
              (std::set<StandardCommand>{StandardCommand::Save, StandardCommand::Print}));

    Frame().CommandAction(StandardCommand::Save).trigger();
    EXPECT_EQ(view_->ran, std::vector<StandardCommand>{StandardCommand::Save});

    Activate("Flash Memory");
    EXPECT_TRUE(EnabledCommands().empty());
    EXPECT_TRUE(Frame().AboutAction().isEnabled());
}

TEST_F(ViewPlugInTest, ToolbarOrderIsNewOpenSaveCutCopyPastePrintAboutContextHelp) {
    QStringList buttons;
    for (QAction* action : Frame().ToolBar().actions()) {
        buttons << (action->isSeparator() ? QStringLiteral("|") : action->text());
    }
    ASSERT_EQ(buttons.size(), 11);
    EXPECT_EQ(buttons.mid(0, 10), (QStringList{"New", "Open", "Save", "|", "Cut", "Copy", "Paste",
                                               "|", "Print", "&About Zerandi..."}));
    EXPECT_TRUE(Frame().ToolBar().actions().at(10)->isEnabled()) << "context help";
}

}  // namespace
}  // namespace zerandi
