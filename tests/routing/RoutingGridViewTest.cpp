#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

#include "config/RouterModelTables.h"
#include "connect/ConnectSettingsMenu.h"
#include "names/EditNamesDialog.h"
#include "names/RouterNamesStore.h"
#include "routing/RoutingGridModel.h"
#include "routing/RoutingGridView.h"
#include "routing/RoutingHeaderView.h"
#include "routing/RoutingTableView.h"
#include "shell/CustomMdiChildWnd.h"
#include "shell/ViewMenuSet.h"
#include "support/AccessibilityAudit.h"
#include "support/FrameFields.h"
#include "support/MenuLookup.h"
#include "support/RouterViewFixture.h"
#include "support/TempFiles.h"
#include "support/WidgetActions.h"

namespace zerandi::test {
namespace {

constexpr uint8_t kTake = 0x49;
constexpr uint8_t kCrosspointStatus = 0x4A;
constexpr uint16_t kTriStateWord = 0xF3F3;
constexpr uint16_t kLocalControl = 0x4000;
const QString kLit = QStringLiteral("\u25CF");

uint16_t WordOf(const std::vector<uint8_t>& data, size_t at) {
    return static_cast<uint16_t>(data.at(at) << 8 | data.at(at + 1));
}

struct Take {
    uint16_t source;
    uint16_t output;
    bool operator==(const Take&) const = default;
};
void PrintTo(const Take& take, std::ostream* out) {
    *out << take.source << " -> " << take.output;
}

// The routing view in its child window over a simulated router, with the connections
// view's Settings menu beside it for the take flags, and a private folder for names.
class RoutingGridViewTest : public RouterViewFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(dataHome_.isValid());
        savedDataHome_ = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome_.path()));
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dataHome_.path());
        QSettings().clear();
    }
    void TearDown() override {
        RouterViewFixture::TearDown();
        qputenv("XDG_DATA_HOME", savedDataHome_);
    }

    std::unique_ptr<QWidget> MakeView(RouterConfigDoc& document) override {
        settings_ = std::make_unique<ConnectSettingsMenu>([&document] {
            return ConnectSettingsMenu::Router{IsDataRouter(document.ProductId()),
                                               document.IsExtendedControlCard()};
        });
        return std::make_unique<RoutingGridView>(document, *settings_);
    }

    void Open(const std::string& model, const RouterNames& names = {}) {
        StartRouter(model);
        const zsim::RouterState state = simulator.Router().Snapshot();
        if (!names.IsEmpty()) {
            ASSERT_TRUE(RouterNamesStore::Save(ui, names, state.productId, state.cardPartNumber));
        }
        KnowRouter();
        grid = static_cast<RoutingGridView*>(view);
        table = &Find<RoutingTableView>(QStringLiteral("routingGrid"));
    }

    QModelIndex Cell(int output, int input) const {
        return grid->Model().index(grid->Grid().RowOf(output), grid->Grid().ColumnOf(input));
    }
    bool Lit(int output, int input) const { return Cell(output, input).data().toString() == kLit; }
    void ClickCell(int output, int input) {
        const QModelIndex cell = Cell(output, input);
        table->scrollTo(cell);
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(cell).center());
    }
    // A double-click as the window system delivers it: a click, then the double-click.
    void DoubleClickCell(int output, int input) {
        ClickCell(output, input);
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {},
                           table->visualRect(Cell(output, input)).center());
    }
    // Chooses the cell and presses "Take".
    void TakeCell(int output, int input) {
        ClickCell(output, input);
        Click(QStringLiteral("take"));
    }
    QString PendingTake() const { return Find<QLabel>(QStringLiteral("pendingTake")).text(); }

    std::vector<Take> Takes() const {
        std::vector<Take> takes;
        for (const auto& frame : Requests()) {
            const std::vector<uint8_t> data = DataOf(frame);
            if (CommandOf(frame) == kTake) {
                takes.push_back({WordOf(data, 1), WordOf(data, 3)});
            }
        }
        return takes;
    }
    std::vector<uint8_t> Commands() const { return CommandsOf(Requests()); }

    std::unique_ptr<ConnectSettingsMenu> settings_;
    RoutingGridView* grid = nullptr;
    RoutingTableView* table = nullptr;

private:
    QTemporaryDir dataHome_;
    QByteArray savedDataHome_;
};

TEST_F(RoutingGridViewTest, TakeTakesTheChosenInputAndShowsWhatTheRouterReadsBack) {
    Open("QR1206");
    ASSERT_TRUE(FrameShown());
    Click(QStringLiteral("read"));
    EXPECT_TRUE(Lit(7, 7)) << "the simulator starts with output n fed by input n";
    ClearRecords();

    TakeCell(7, 12);
    EXPECT_EQ(Takes(), std::vector<Take>({{12, 7}}));
    EXPECT_EQ(Commands(), (std::vector<uint8_t>{kTake, kCrosspointStatus}));
    EXPECT_EQ(ui.Sleeps(), std::vector<int>{1000});
    EXPECT_TRUE(Lit(7, 12));
    EXPECT_FALSE(Lit(7, 7));
    EXPECT_TRUE(ui.Messages().empty());

    // The grid shows the read-back, not the request: a router that acknowledges a take but
    // does not make it keeps the old cell lit.
    ChangeRouter([](zsim::RouterState& state) { state.crosspoints[6] = 30; });
    simulator.Router().InjectFault({zsim::SimFault::Kind::Forget, 0, kTake});
    TakeCell(7, 5);
    EXPECT_TRUE(Lit(7, 30));
    EXPECT_FALSE(Lit(7, 5));
}

TEST_F(RoutingGridViewTest, AFailedTakeIsToldAndTheCellKeepsItsState) {
    Open("QR1206");
    Click(QStringLiteral("read"));
    ClearRecords();
    simulator.Router().InjectFault({zsim::SimFault::Kind::Refuse, 1, kTake});
    TakeCell(3, 40);
    EXPECT_EQ(ui.MessageTexts(),
              (std::vector<QString>{"Error Message Received: \"Invalid data\"", "Take Failed!!"}));
    EXPECT_EQ(Commands(), std::vector<uint8_t>{kTake}) << "no read-back of a take not made";
    EXPECT_TRUE(Lit(3, 3));
    EXPECT_FALSE(Lit(3, 40));

    // A take made whose read-back fails leaves the output unknown, not guessed.
    ClearRecords();
    simulator.Router().InjectFault({zsim::SimFault::Kind::Refuse, 6, kCrosspointStatus});
    TakeCell(3, 40);
    EXPECT_EQ(ui.MessageTexts().back(), "Unable to read the information from the router.");
    EXPECT_EQ(grid->Grid().SourceOf(3), std::nullopt);
    EXPECT_FALSE(Lit(3, 3));
}

TEST_F(RoutingGridViewTest, TakesSendTheSourceWordOfTheModelAndTheConnectionsSettings) {
    const struct {
        const char* model;
        int input;
        bool distributedControl;
        uint16_t source;
    } cases[] = {
        {"QR1205", 4, false, 4},
        {"QR1205", 0, false, kTriStateWord},  // the tri-state column
        {"QR1207", 4, false, 4 | kLocalControl},
        {"QR1207", 4, true, 4},
        {"QR1207", 0, false, kTriStateWord},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.model);
        DocumentFixture::TearDown();
        Open(c.model);
        EXPECT_EQ(grid->Model().headerData(0, Qt::Horizontal, Qt::DisplayRole), "Tri-state");
        if (c.distributedControl) {
            settings_->ApplyRouter({true, doc->IsExtendedControlCard()});  // as the view does
            settings_->findChild<QAction*>(QStringLiteral("distributedControlTake"))->trigger();
        }
        Click(QStringLiteral("read"));
        ClearRecords();
        TakeCell(2, c.input);
        EXPECT_EQ(Takes(), std::vector<Take>({{c.source, 2}}));
        EXPECT_TRUE(Lit(2, c.input)) << "read back after the take";
    }
}

TEST_F(RoutingGridViewTest, KeyboardAndConfirmationTakeOnlyWhenMeant) {
    Open("QR1206");
    Click(QStringLiteral("read"));
    QCheckBox& confirm = Find<QCheckBox>(QStringLiteral("confirmTakes"));
    QTest::mouseClick(&confirm, Qt::LeftButton);
    ASSERT_TRUE(confirm.isChecked());
    ClearRecords();
    table->setFocus();
    table->setCurrentIndex(Cell(5, 9));
    QTest::keyClick(table, Qt::Key_Right);
    QTest::keyClick(table, Qt::Key_Space);
    EXPECT_TRUE(ui.MessageTexts().empty()) << "Space only chooses the cell";
    ui.AnswerNextMessage(MessageAnswer::No);
    QTest::keyClick(table, Qt::Key_Return);
    EXPECT_EQ(ui.MessageTexts(), std::vector<QString>{"Take input 10 to output 5?"});
    EXPECT_TRUE(Takes().empty());

    QTest::keyClick(table, Qt::Key_Down);
    ui.AnswerNextMessage(MessageAnswer::Yes);
    QTest::keyClick(table, Qt::Key_Return);
    EXPECT_EQ(Takes(), std::vector<Take>({{10, 6}}));
    EXPECT_TRUE(Lit(6, 10));
    EXPECT_EQ(table->currentIndex(), Cell(6, 10)) << "the current cell stays after a take";
    const QModelIndex current = Cell(6, 10);
    for (int section : {current.row() - 1, current.row(), current.row() + 1}) {
        EXPECT_EQ(table->OutputHeader().Highlighted(section), section == current.row());
    }
    for (int section : {current.column() - 1, current.column(), current.column() + 1}) {
        EXPECT_EQ(table->InputHeader().Highlighted(section), section == current.column());
    }
}

RouterNames VtrAndCamera() {
    RouterNames names;
    names.SetName(NameKind::Output, 7, QStringLiteral("VTR 2"));
    names.SetName(NameKind::Input, 12, QStringLiteral("CAM 3"));
    return names;
}

TEST_F(RoutingGridViewTest, AClickOrTheArrowsOnlyChooseACellAndShowTheTakeItStandsFor) {
    Open("QR1206", VtrAndCamera());
    QPushButton& take = Find<QPushButton>(QStringLiteral("take"));
    EXPECT_FALSE(take.isEnabled()) << "no cell chosen yet";
    ClickCell(7, 12);
    EXPECT_EQ(PendingTake(), "Output 7 VTR 2 \u2190 input 12 CAM 3");
    EXPECT_TRUE(take.isEnabled());
    table->setFocus();
    for (const Qt::Key key :
         {Qt::Key_Right, Qt::Key_Down, Qt::Key_Space, Qt::Key_Left, Qt::Key_Left}) {
        QTest::keyClick(table, key);
    }
    EXPECT_EQ(PendingTake(), "Output 8 \u2190 input 11") << PendingTake().toStdString();
    EXPECT_TRUE(Requests().empty()) << "choosing a cell sends nothing";
    EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(RoutingGridViewTest, TakeEnterAndADoubleClickEachSendTheTake) {
    Open("QR1206");
    Click(QStringLiteral("read"));
    const struct {
        const char* gesture;
        std::function<void(int, int)> take;
    } cases[] = {
        {"Take", [this](int o, int i) { TakeCell(o, i); }},
        {"Return",
         [this](int o, int i) {
             ClickCell(o, i);
             QTest::keyClick(table, Qt::Key_Return);
         }},
        {"Enter",
         [this](int o, int i) {
             ClickCell(o, i);
             QTest::keyClick(table, Qt::Key_Enter, Qt::KeypadModifier);
         }},
        {"double-click", [this](int o, int i) { DoubleClickCell(o, i); }},
    };
    int input = 20;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.gesture);
        ClearRecords();
        c.take(7, ++input);
        EXPECT_EQ(Takes(), std::vector<Take>({{static_cast<uint16_t>(input), 7}}));
        EXPECT_TRUE(Lit(7, input));
    }
}

TEST_F(RoutingGridViewTest, UndoTakePutsBackTheSourceTheOutputHadBeforeTheLastTake) {
    Open("QR1206");
    Click(QStringLiteral("read"));
    QPushButton& undo = Find<QPushButton>(QStringLiteral("undoTakeButton"));
    EXPECT_FALSE(undo.isEnabled());
    TakeCell(7, 12);
    DoubleClickCell(7, 20);
    EXPECT_EQ(undo.toolTip(), "Take input 12 back to output 7");
    ClearRecords();
    // Ctrl+Z while the focus is in the window, as a person presses it.
    child->showNormal();
    area->setActiveSubWindow(child);
    view->window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view->window()));
    table->setFocus();
    QTest::keyClick(table, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Takes(), std::vector<Take>({{12, 7}}));
    EXPECT_EQ(Commands(), (std::vector<uint8_t>{kTake, kCrosspointStatus}));
    EXPECT_TRUE(Lit(7, 12));
    EXPECT_FALSE(undo.isEnabled()) << "one step back";
    ClearRecords();
    Click(QStringLiteral("undoTakeButton"));
    EXPECT_TRUE(Requests().empty());

    // Before any read, the output is read first, so that the take can still be undone; here
    // from the window's Edit menu.
    DocumentFixture::TearDown();
    Open("QR1206");
    TakeCell(4, 9);
    EXPECT_EQ(Commands(), (std::vector<uint8_t>{kCrosspointStatus, kTake, kCrosspointStatus}));
    ClearRecords();
    QWidget owner;
    CommonMenus common;
    for (QAction** action : {&common.exit, &common.setup, &common.helpContents, &common.usingHelp,
                             &common.technicalSupport, &common.about}) {
        *action = new QAction(&owner);
    }
    ViewMenuSet menus(common, true, &owner);
    grid->AddMenuItems(menus);
    QAction* undoItem = ActionTexted(menus.Edit(), QStringLiteral("&Undo Take"));
    ASSERT_NE(undoItem, nullptr);
    EXPECT_EQ(undoItem->shortcut(), QKeySequence(QKeySequence::Undo));
    undoItem->trigger();
    EXPECT_EQ(Takes(), std::vector<Take>({{4, 4}}));
    EXPECT_TRUE(Lit(4, 4));
}

TEST_F(RoutingGridViewTest, ConfirmTakesIsRememberedBetweenRuns) {
    Open("QR1206");
    EXPECT_FALSE(Find<QCheckBox>(QStringLiteral("confirmTakes")).isChecked());
    QTest::mouseClick(&Find<QCheckBox>(QStringLiteral("confirmTakes")), Qt::LeftButton);
    for (const bool ticked : {true, false}) {
        DocumentFixture::TearDown();
        Open("QR1206");
        QCheckBox& confirm = Find<QCheckBox>(QStringLiteral("confirmTakes"));
        EXPECT_EQ(confirm.isChecked(), ticked);
        const size_t told = ui.MessageTexts().size();
        if (ticked) {
            ui.AnswerNextMessage(MessageAnswer::No);
        }
        TakeCell(2, 9);
        EXPECT_EQ(ui.MessageTexts().size() - told, ticked ? 1U : 0U);
        EXPECT_EQ(Takes().size(), ticked ? 0U : 1U);
        QTest::mouseClick(&confirm, Qt::LeftButton);
    }
}

TEST_F(RoutingGridViewTest, EachRowShowsItsSourceAndEachInputHowManyOutputsItFeeds) {
    Open("QR1206", VtrAndCamera());
    Click(QStringLiteral("read"));
    TakeCell(7, 12);
    const auto inputTip = [this](int input) {
        return grid->Model()
            .headerData(grid->Grid().ColumnOf(input), Qt::Horizontal, Qt::ToolTipRole)
            .toString();
    };
    EXPECT_EQ(inputTip(12), "12 CAM 3: feeds 2 outputs");
    EXPECT_EQ(inputTip(7), "7: feeds no output");
    EXPECT_EQ(inputTip(8), "8: feeds 1 output");

    // The row keeps its source when the filter hides that input's column.
    Retype(Find<QLineEdit>(QStringLiteral("filter")), QStringLiteral("VTR, 1-5"));
    ASSERT_EQ(grid->Grid().ColumnOf(12), -1);
    const int row = grid->Grid().RowOf(7);
    ASSERT_GE(row, 0);
    EXPECT_EQ(grid->Model().headerData(row, Qt::Vertical, RoutingGridModel::kSourceRole),
              "\u2190 12 CAM 3");
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(table);
    ASSERT_NE(accessible, nullptr);
    QAccessibleTableCellInterface* cell =
        accessible->tableInterface()->cellAt(row, 0)->tableCellInterface();
    ASSERT_NE(cell, nullptr);
    ASSERT_EQ(cell->rowHeaderCells().size(), 1);
    EXPECT_EQ(cell->rowHeaderCells().front()->text(QAccessible::Name),
              "Output 7 VTR 2, from input 12 CAM 3");
}

TEST_F(RoutingGridViewTest, NamesShowInHeadersAndCellsAndAreKeptForTheRouter) {
    Open("QR1205");
    ui.HandleNextDialog([](QDialog& dialog) {
        auto& input = dynamic_cast<QInputDialog&>(dialog);
        input.setTextValue(QStringLiteral("  VTR 2 "));
        return true;
    });
    const QHeaderView& rows = *table->verticalHeader();
    QTest::mouseDClick(rows.viewport(), Qt::LeftButton, {},
                       QPoint(rows.width() / 2, rows.sectionViewportPosition(6) + 2));
    ui.HandleNextDialog([](QDialog& dialog) {
        RouterNames names = dynamic_cast<EditNamesDialog&>(dialog).Names();
        EXPECT_EQ(names.Name(NameKind::Output, 7), "VTR 2");
        return false;  // cancelled: nothing changes
    });
    Click(QStringLiteral("editNames"));

    EXPECT_EQ(grid->Model().headerData(6, Qt::Vertical, Qt::DisplayRole), "7 VTR 2");
    EXPECT_EQ(grid->Model().headerData(6, Qt::Vertical, Qt::AccessibleTextRole),
              "Output 7 VTR 2, source not read");
    EXPECT_EQ(grid->Model().headerData(0, Qt::Horizontal, Qt::AccessibleTextRole), "Tri-state");
    const zsim::RouterState state = simulator.Router().Snapshot();
    EXPECT_EQ(
        RouterNamesStore::Load(ui, state.productId, state.cardPartNumber).Name(NameKind::Output, 7),
        "VTR 2");

    // A names file that has since been damaged is not saved over by an edit, and the grid
    // goes on showing the names that are kept rather than one that was not saved.
    const QString kept = RouterNamesStore::PathFor(state.productId, state.cardPartNumber);
    ASSERT_TRUE(WriteFileBytes(kept, "kind;number\n"));
    ui.ClearMessages();
    ui.HandleNextDialog([](QDialog& dialog) {
        dynamic_cast<QInputDialog&>(dialog).setTextValue(QStringLiteral("CAM 1"));
        return true;
    });
    QTest::mouseDClick(rows.viewport(), Qt::LeftButton, {},
                       QPoint(rows.width() / 2, rows.sectionViewportPosition(0) + 2));
    EXPECT_EQ(ui.MessageTexts().size(), 1u);
    EXPECT_EQ(grid->Model().headerData(0, Qt::Vertical, Qt::DisplayRole), "1");
    EXPECT_EQ(ReadFileBytes(kept), "kind;number\n");

    // What a screen reader hears of a cell, through Qt's accessibility of the table.
    Click(QStringLiteral("read"));
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(table);
    ASSERT_NE(accessible, nullptr);
    QAccessibleTableInterface* cells = accessible->tableInterface();
    ASSERT_NE(cells, nullptr);
    const QModelIndex routed = Cell(7, 7);
    EXPECT_EQ(cells->cellAt(routed.row(), routed.column())->text(QAccessible::Name),
              "Output 7 VTR 2, input 7, routed");
    const QModelIndex open = Cell(8, RoutingGrid::kTriState);
    EXPECT_EQ(cells->cellAt(open.row(), open.column())->text(QAccessible::Name),
              "Output 8, tri-state, not routed");
    EXPECT_EQ(UnnamedInputControls(view), QStringList());
}

TEST_F(RoutingGridViewTest, RefreshReadsOnlyWhileTheLinkIsFreeAndStopsOnAFailure) {
    Open("QR1206");
    QCheckBox& refresh = Find<QCheckBox>(QStringLiteral("refresh"));
    QTest::mouseClick(&refresh, Qt::LeftButton);
    EXPECT_TRUE(grid->Refreshing());
    child->showNormal();
    ChangeRouter([](zsim::RouterState& state) { state.crosspoints[0] = 20; });

    ui.beginBusy();
    grid->RefreshTick();
    ui.endBusy();
    EXPECT_TRUE(Requests().empty()) << "another operation holds the link";
    grid->RefreshTick();
    EXPECT_EQ(Commands(), std::vector<uint8_t>{kCrosspointStatus});
    EXPECT_TRUE(Lit(1, 20));

    simulator.Router().InjectFault({zsim::SimFault::Kind::Refuse, 6, kCrosspointStatus});
    grid->RefreshTick();
    EXPECT_EQ(ui.MessageTexts().back(), "Unable to read the information from the router.");
    EXPECT_FALSE(refresh.isChecked());
    EXPECT_FALSE(grid->Refreshing());
}

TEST_F(RoutingGridViewTest, ShownOnlyForAKnownRouterWithOutputs) {
    StartRouter("QR1206");
    KnowRouter();
    EXPECT_TRUE(FrameShown());
    doc->SetProductId(RouterConfigDoc::kUnknownProduct);
    EXPECT_FALSE(FrameShown());
    doc->SetProductId(55);  // a named model without a size
    EXPECT_FALSE(FrameShown());
    EXPECT_TRUE(Requests().empty());
}

}  // namespace
}  // namespace zerandi::test
