#include "connect/ConnectViewFixture.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <stdexcept>

#include "support/FrameFields.h"
#include "support/WidgetActions.h"

namespace zerandi::test {

namespace {

constexpr uint8_t kTakeCommand = 0x49;
constexpr size_t kTimedTakeDataBytes = 7;

uint16_t WordOf(const std::vector<uint8_t>& data, size_t at) {
    return static_cast<uint16_t>(data.at(at) << 8 | data.at(at + 1));
}

QStringList DescribeDialog(const QDialog& dialog) {
    QStringList seen{dialog.windowTitle()};
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->isVisibleTo(&dialog)) {
            seen << label->text();
        }
    }
    for (const QPushButton* button : dialog.findChildren<QPushButton*>()) {
        seen << button->text();
    }
    return seen;
}

}  // namespace

void PrintTo(const ReceivedTake& take, std::ostream* out) {
    *out << "{sub " << take.subCommand << ", " << take.source << " -> " << take.destination;
    if (take.timestamp) {
        *out << " at " << *take.timestamp;
    }
    *out << '}';
}

void ConnectViewFixture::TearDown() {
    menus.reset();
    menuOwner.reset();
    DocumentFixture::TearDown();
}

void ConnectViewFixture::StartRouter(const std::string& model, const RouterChange& change) {
    TearDown();
    dialogsSeen.clear();
    StartDocument(model, change, kBaud);
    if (HasFatalFailure()) {
        return;
    }
    auto* area = new QMdiArea(mainWindow.get());
    mainWindow->setCentralWidget(area);
    view = new RouterConnectFormView(*doc);
    connectionsChild = area->addSubWindow(view);
    monitorsView = new RouterMonitorsFormView(*doc);
    monitorsChild = area->addSubWindow(monitorsView);
    menuOwner = std::make_unique<QWidget>();
    for (QAction** action : {&common.exit, &common.setup, &common.helpContents, &common.usingHelp,
                             &common.technicalSupport, &common.about}) {
        *action = new QAction(menuOwner.get());
    }
    menus = std::make_unique<ViewMenuSet>(common, false, menuOwner.get());
    view->AddMenuItems(*menus);
    mainWindow->resize(1200, 900);
    mainWindow->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(mainWindow.get()));

    const zsim::RouterState state = simulator.Router().Snapshot();
    doc->controlCard.partNumber = state.cardPartNumber;
    doc->SetProductId(state.productId);
}

void ConnectViewFixture::ForgetRouter() {
    doc->SetProductId(RouterConfigDoc::kUnknownProduct);
}

void ConnectViewFixture::Click(const QString& buttonName, QWidget* root) {
    QTest::mouseClick(&Find<QPushButton>(root != nullptr ? root : view, buttonName),
                      Qt::LeftButton);
}

void ConnectViewFixture::Retype(QLineEdit& edit, const QString& text) {
    RetypeText(edit, text);
}

void ConnectViewFixture::Type(const QString& fieldName, const QString& text) {
    Retype(Find<QLineEdit>(fieldName), text);
}

QMenu& ConnectViewFixture::Menu(const QString& title) const {
    for (QMenu* menu : menus->MenuBarOrder()) {
        if (menu != nullptr && menu->title() == title) {
            return *menu;
        }
    }
    ADD_FAILURE() << "no menu " << title.toStdString();
    throw std::runtime_error("missing menu");
}

QAction& ConnectViewFixture::Action(const QString& actionName) const {
    auto* action = view->findChild<QAction*>(actionName);
    if (action == nullptr) {
        ADD_FAILURE() << "no action " << actionName.toStdString();
        throw std::runtime_error("missing action");
    }
    return *action;
}

void ConnectViewFixture::Trigger(const QString& actionName) {
    QAction& action = Action(actionName);
    for (QMenu* menu : menus->MenuBarOrder()) {
        if (menu != nullptr && menu->actions().contains(&action)) {
            emit menu->aboutToShow();
        }
    }
    ASSERT_TRUE(action.isEnabled()) << actionName.toStdString() << " is disabled";
    action.trigger();
}

bool ConnectViewFixture::Ticked(const QString& actionName) const {
    return Action(actionName).isChecked();
}

void ConnectViewFixture::AnswerRangeDialog(std::vector<DialogEntry> entries) {
    ui.HandleNextDialog([this, entries = std::move(entries)](QDialog& dialog) {
        dialog.show();
        dialogsSeen.push_back(DescribeDialog(dialog));
        for (const DialogEntry& entry : entries) {
            const std::pair<const std::optional<QString>*, const char*> fields[] = {
                {&entry.first, "firstValue"},
                {&entry.output, "outputValue"},
                {&entry.lastOutput, "lastOutputValue"}};
            for (const auto& [text, name] : fields) {
                if (text->has_value()) {
                    Retype(Find<QLineEdit>(&dialog, QString::fromLatin1(name)), **text);
                }
            }
            Find<QPushButton>(&dialog, QStringLiteral("confirm")).click();
            if (dialog.result() == QDialog::Accepted) {
                return true;
            }
        }
        Find<QPushButton>(&dialog, QStringLiteral("cancel")).click();
        return false;
    });
}

void ConnectViewFixture::CancelRangeDialog() {
    AnswerRangeDialog({});
}

QStringList ConnectViewFixture::Rows(const QString& listName, QWidget* root) const {
    auto& list = Find<QListWidget>(root != nullptr ? root : view, listName);
    QStringList rows;
    for (int i = 0; i < list.count(); ++i) {
        rows << list.item(i)->text();
    }
    return rows;
}

bool ConnectViewFixture::ChildShown(QWidget* viewWidget) const {
    return viewWidget == view ? connectionsChild->isVisible() : monitorsChild->isVisible();
}

std::vector<ReceivedTake> ConnectViewFixture::Takes() const {
    std::vector<ReceivedTake> takes;
    for (const auto& frame : simulator.Requests()) {
        if (CommandOf(frame) != kTakeCommand) {
            continue;
        }
        const std::vector<uint8_t> data = DataOf(frame);
        ReceivedTake take{data.at(0), WordOf(data, 1), WordOf(data, 3), std::nullopt};
        if (data.size() >= kTimedTakeDataBytes) {
            take.timestamp = WordOf(data, 5);
        }
        takes.push_back(take);
    }
    return takes;
}

std::vector<int> ConnectViewFixture::Commands() const {
    std::vector<int> commands;
    for (const uint8_t command : CommandsOf(simulator.Requests())) {
        commands.push_back(command);
    }
    return commands;
}

void ConnectViewFixture::ClearRecords() {
    simulator.Router().ClearReceivedFrames();
    ui.ClearMessages();
    dialogsSeen.clear();
}

}  // namespace zerandi::test
