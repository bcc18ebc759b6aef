#include "status/StatusViewFixture.h"

#include <QLabel>
#include <QMenu>
#include <QTest>
#include <algorithm>
#include <stdexcept>

#include "shell/ViewCommands.h"
#include "support/FrameFields.h"

namespace zerandi::test {

namespace {

constexpr int kWaitLimitMs = 2000;
constexpr int kWaitStepMs = 10;

}  // namespace

void StatusViewFixture::TearDown() {
    mainWindow.reset();
    menus_.reset();
    DocumentFixture::TearDown();
}

void StatusViewFixture::StartRouter(const std::string& model, const RouterChange& change) {
    StartDocument(model, change, kBaud);
    if (HasFatalFailure()) {
        return;
    }
    area = new QMdiArea(mainWindow.get());
    mainWindow->setCentralWidget(area);
    otherChild = area->addSubWindow(new QLabel(QStringLiteral("another view")));
    otherChild->setWindowTitle(QStringLiteral("Configuration"));
    mainWindow->resize(1200, 900);
}

void StatusViewFixture::Install(QWidget* view, ViewCommands& commands, const QString& caption) {
    for (QAction** slot :
         {&common_.exit, &common_.setup, &common_.technicalSupport, &common_.about}) {
        *slot = new QAction(QStringLiteral("common"), mainWindow.get());
    }
    menus_ = std::make_unique<ViewMenuSet>(common_, false, mainWindow.get());
    commands.AddMenuItems(*menus_);
    menus_->Finish();
    child = area->addSubWindow(view);
    child->setWindowTitle(caption);
    mainWindow->show();
    otherChild->show();
    child->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(mainWindow.get()));
    ActivateView();
}

QAction& StatusViewFixture::MenuItem(const QString& path) const {
    // The menus' own items first: the path may begin at a menu's title or inside a menu.
    QList<QAction*> candidates;
    for (QMenu* menu : menus_->MenuBarOrder()) {
        if (menu != nullptr) {
            candidates << menu->menuAction() << menu->actions();
        }
    }
    QAction* found = nullptr;
    for (const QString& text : path.split(u'/')) {
        const auto match = std::find_if(candidates.begin(), candidates.end(),
                                        [&](QAction* action) { return action->text() == text; });
        found = match != candidates.end() ? *match : nullptr;
        if (found == nullptr) {
            ADD_FAILURE() << "no menu item " << path.toStdString();
            throw std::runtime_error("missing menu item");
        }
        candidates = found->menu() != nullptr ? found->menu()->actions() : QList<QAction*>{};
    }
    return *found;
}

bool StatusViewFixture::WaitFor(const std::function<bool()>& condition) {
    for (int waited = 0; waited < kWaitLimitMs; waited += kWaitStepMs) {
        if (condition()) {
            return true;
        }
        QTest::qWait(kWaitStepMs);
    }
    return condition();
}

QStringList StatusViewFixture::Messages() const {
    const std::vector<QString> texts = ui.MessageTexts();
    return QStringList(texts.begin(), texts.end());
}

std::vector<uint8_t> StatusViewFixture::Commands() const {
    return CommandsOf(simulator.Requests());
}

void StatusViewFixture::ClearRecords() {
    simulator.Router().ClearReceivedFrames();
    ui.ClearMessages();
}

}  // namespace zerandi::test
