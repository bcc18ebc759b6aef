#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "config/RouterConfigDoc.h"
#include "flash/FlashImages.h"
#include "flash/RouterFlashFormView.h"
#include "support/AccessibilityAudit.h"
#include "support/DocumentFixture.h"
#include "support/FrameFields.h"

namespace zerandi::test {
namespace {

constexpr uint32_t kBaud = 115200;
constexpr int kRecordCommand = 0x41;
constexpr int kExitCommand = 0x42;
constexpr int kResetCommand = 0x4E;
constexpr int32_t kQR1205 = 8;
constexpr int32_t kQR1206 = 64;
constexpr int32_t kUnknownCard = -1;
const QString kPairingQuestion = QStringLiteral(
    "WARNING: For CC0209 control cards the PLD and Matrix code MUST always be loaded at the "
    "same time. \n Do you wish to continue?");
const QString kResetQuestion = QStringLiteral(
    "The controller must be reset after a software download.\nDo you want to reset now?");
const QString kSuccessText = QStringLiteral("Flash was successfully written!");

// The flash view in a child window over the document opened on a simulated router.
class RouterFlashFormViewTest : public DocumentFixture {
protected:
    void SetUp() override {
        StartDocument(zsim::SimRouter::kDefaultModel, {}, kBaud);
        ASSERT_FALSE(HasFatalFailure());
        auto* area = new QMdiArea(mainWindow.get());
        mainWindow->setCentralWidget(area);
        view = new RouterFlashFormView(*doc);
        area->addSubWindow(view)->show();
        mainWindow->resize(1000, 600);
        mainWindow->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(mainWindow.get()));
    }
    // The router the document now knows.
    void KnowRouter(int32_t productId, int32_t cardPartNumber) {
        doc->controlCard.partNumber = cardPartNumber;
        doc->SetProductId(productId);
        doc->UpdateAllViews();
    }

    QLineEdit& FileField(int slot) const { return Find<QLineEdit>("slot%1File", slot); }
    QProgressBar& Bar(int slot) const { return Find<QProgressBar>("slot%1Progress", slot); }
    QLineEdit& Status() const { return *view->findChild<QLineEdit*>("status"); }
    template <typename Widget>
    Widget& Find(const char* pattern, int slot) const {
        auto* widget = view->findChild<Widget*>(QString::fromLatin1(pattern).arg(slot));
        EXPECT_NE(widget, nullptr) << pattern << slot;
        return *widget;
    }

    void TypeFile(int slot, const QString& path) {
        FileField(slot).clear();
        QTest::keyClicks(&FileField(slot), path);
    }
    void WriteFlash() {
        QTest::mouseClick(view->findChild<QPushButton*>("writeFlash"), Qt::LeftButton);
    }
    std::vector<int> Shown() const {
        std::vector<int> shown;
        for (int slot = 0; slot < 6; ++slot) {
            if (FileField(slot).isVisibleTo(view)) {
                shown.push_back(slot);
            }
        }
        return shown;
    }
    std::vector<uint8_t> Commands() const { return CommandsOf(simulator.Requests()); }

    RouterFlashFormView* view = nullptr;
};

TEST_F(RouterFlashFormViewTest, RowsAndTheFirstLabelFollowTheRouterAndItsCard) {
    const struct {
        std::string name;
        int32_t productId;
        int32_t card;
        std::vector<int> shown;
        QString firstLabel;
    } cases[] = {
        {"not known",
         RouterConfigDoc::kUnknownProduct,
         kUnknownCard,
         {0, 1, 2, 3, 4, 5},
         "DIAG File"},
        {"QR1205 on a CC0209", kQR1205, 209, {0, 1, 2, 3}, "DIAG File"},
        {"QR1206: no PLD0", kQR1206, 209, {0, 1, 2}, "DIAG File"},
        {"extended card", kQR1205, 263, {0, 3, 4, 5}, "APP0 File"},
        {"back to an ordinary card", kQR1206, 300, {0, 1, 2}, "DIAG File"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        KnowRouter(c.productId, c.card);
        EXPECT_EQ(Shown(), c.shown);
        EXPECT_EQ(FileField(0).accessibleName(), c.firstLabel);
        EXPECT_EQ(Find<QLabel>("slot%1Label", 0).text(), c.firstLabel);
    }
}

TEST_F(RouterFlashFormViewTest, AnExtendedCardEmptiesEveryNameButTheFirstAndResetsTheBars) {
    for (int slot = 0; slot < 6; ++slot) {
        TypeFile(slot, QStringLiteral("/images/%1.mx").arg(slot));
    }
    Bar(3).setValue(7);
    KnowRouter(kQR1205, 263);
    EXPECT_EQ(FileField(0).text(), "/images/0.mx");
    for (int slot = 1; slot < 6; ++slot) {
        EXPECT_TRUE(FileField(slot).text().isEmpty()) << slot;
        EXPECT_EQ(Bar(slot).maximum(), RouterFlashFormView::kResetRange);
        EXPECT_EQ(Bar(slot).value(), 0);
    }
}

TEST_F(RouterFlashFormViewTest, TheCC0209PairingQuestionComesOnlyForOneOfMatrixAndPld0) {
    const QString mtrx = WriteImage("mtrx.mx", ImageLines(2));
    const QString pld0 = WriteImage("pld0.mx", ImageLines(2));
    const struct {
        std::string name;
        int32_t card;
        QString mtrxFile;
        QString pld0File;
        bool asks;
    } cases[] = {
        {"matrix alone on a 209", 209, mtrx, {}, true},
        {"PLD0 alone, card not known", kUnknownCard, {}, pld0, true},
        {"matrix and PLD0 together", 209, mtrx, pld0, false},
        {"matrix alone on another card", 300, mtrx, {}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        KnowRouter(kQR1205, c.card);
        TypeFile(1, c.mtrxFile);
        TypeFile(3, c.pld0File);
        ui.ClearMessages();
        simulator.Router().ClearReceivedFrames();
        if (c.asks) {
            ui.AnswerNextMessage(MessageAnswer::No);
        } else {
            ui.AnswerNextMessage(MessageAnswer::Ok);  // the success
            ui.AnswerNextMessage(MessageAnswer::No);  // the reset question
        }
        WriteFlash();
        ASSERT_FALSE(ui.Messages().empty());
        EXPECT_EQ(ui.Messages()[0].text == kPairingQuestion, c.asks);
        EXPECT_EQ(ui.Messages().size(), c.asks ? 1u : 2u);
        // Answered No, nothing goes to the router.
        EXPECT_EQ(simulator.Requests().empty(), c.asks);
    }
}

TEST_F(RouterFlashFormViewTest, WithoutAFileNothingIsWritten) {
    TypeFile(2, QStringLiteral("   "));
    WriteFlash();
    EXPECT_EQ(ui.MessageTexts(),
              std::vector<QString>{"Unable to write flash.\nPlease Select a File to write first."});
    EXPECT_TRUE(simulator.Requests().empty());
}

// What a person sees during a download: each step painted in the status line and the bar of
// the slot being written, while the program is busy; then the success and the reset.
TEST_F(RouterFlashFormViewTest, ShowsEachStepWritesTheSlotsInOrderAndOffersTheReset) {
    KnowRouter(kQR1205, 300);
    TypeFile(2, WriteImage("comm.mx", ImageLines(3)));
    TypeFile(0, WriteImage("diag.mx", ImageLines(2)));
    std::vector<std::string> seen;
    const auto note = [&] {
        const auto bar = [](const QProgressBar& b) {
            return std::to_string(b.value()) + "/" + std::to_string(b.maximum());
        };
        seen.push_back(Status().text().toStdString() + " | " + bar(Bar(0)) + " " + bar(Bar(2)) +
                       (ui.isBusy() ? "" : " not busy"));
    };
    QObject::connect(&Status(), &QLineEdit::textChanged, view, note);
    QObject::connect(&Bar(0), &QProgressBar::valueChanged, view, note);
    QObject::connect(&Bar(2), &QProgressBar::valueChanged, view, note);
    std::vector<bool> busyAtMessage;
    ui.OnMessage([&](const auto&) { busyAtMessage.push_back(ui.isBusy()); });
    ui.AnswerNextMessage(MessageAnswer::Ok);
    ui.AnswerNextMessage(MessageAnswer::Yes);
    WriteFlash();

    EXPECT_EQ(seen, (std::vector<std::string>{
                        "Diag Appl: Entering Flash Write mode. | 0/2 0/10",
                        "Diag Appl: Writing SRecord #1 | 0/2 0/10",
                        "Diag Appl: Writing SRecord #1 | 1/2 0/10",
                        "Diag Appl: Writing SRecord #1 | 2/2 0/10",
                        "Diag Appl: Exiting Flash Download mode. | 2/2 0/10",
                        "Comm Appl: Entering Flash Write mode. | 2/2 0/3",
                        "Comm Appl: Writing SRecord #1 | 2/2 0/3",
                        "Comm Appl: Writing SRecord #1 | 2/2 1/3",
                        "Comm Appl: Writing SRecord #1 | 2/2 2/3",
                        "Comm Appl: Writing SRecord #1 | 2/2 1/3",
                        "Comm Appl: Exiting Flash Download mode. | 2/2 1/3",
                        " | 2/2 1/3 not busy",
                        " | 0/10 1/3 not busy",
                        " | 0/10 0/10 not busy",
                    }));
    EXPECT_EQ(ui.MessageTexts(), (std::vector<QString>{kSuccessText, kResetQuestion}));
    EXPECT_EQ(ui.Messages()[0].icon, MessageIcon::Information);
    EXPECT_EQ(busyAtMessage, (std::vector<bool>{false, false}));
    const zsim::RouterState state = simulator.Router().Snapshot();
    EXPECT_EQ(state.flashCompleted, (std::vector<int>{0, 2}));
    EXPECT_EQ(state.resetCount, 1);
    EXPECT_TRUE(Status().text().isEmpty());
}

// A record refused, then the adapter pulled out mid-file: the link's box and the download's,
// no exit, no success or reset, and the view ready again. The vanished link fails at once.
TEST_F(RouterFlashFormViewTest, AFailureMidFileEndsTheDownloadAndLeavesTheViewUsable) {
    using Kind = zsim::SimFault::Kind;
    const struct {
        std::string name;
        Kind kind;
        int param;
        int skip;
        QString linkText;
        QString statusAtFailure;
    } cases[] = {
        {"refused", Kind::Refuse, 1, 2, "Error Message Received: \"Invalid data\"",
         "Diag Appl: Writing SRecord #1"},
        {"vanished", Kind::Disappear, 0, 3, "unknown Comm error", "Diag Appl: Writing SRecord #2"},
    };
    KnowRouter(kQR1205, 300);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ui.ClearMessages();
        simulator.Router().ClearReceivedFrames();
        TypeFile(0, WriteImage("diag.mx", ImageLines(6)));
        TypeFile(2, WriteImage("comm.mx", ImageLines(2)));
        zsim::SimFault fault{c.kind, c.param, kRecordCommand};
        fault.skip = c.skip;
        simulator.Router().InjectFault(fault);
        QString statusAtFailure;
        ui.OnMessage([&](const auto&) {
            if (statusAtFailure.isEmpty()) {
                statusAtFailure = Status().text();
            }
        });
        WriteFlash();
        EXPECT_EQ(ui.MessageTexts(),
                  (std::vector<QString>{c.linkText, "Problem writing S records"}));
        EXPECT_EQ(statusAtFailure, c.statusAtFailure);
        const std::vector<uint8_t> commands = Commands();
        for (int command : {kExitCommand, kResetCommand}) {
            EXPECT_EQ(std::count(commands.begin(), commands.end(), command), 0) << command;
        }
        EXPECT_TRUE(simulator.Router().Snapshot().flashCompleted.empty());
        EXPECT_TRUE(Status().text().isEmpty());
        EXPECT_FALSE(ui.isBusy());
    }
    ui.OnMessage({});
    ui.ClearMessages();
    WriteFlash();
    EXPECT_EQ(
        ui.MessageTexts(),
        (std::vector<QString>{"Transmit Failure", "Diag Appl: Problem entering Flash Write mode"}));
}

TEST_F(RouterFlashFormViewTest, BrowsePutsTheChosenFileInItsSlot) {
    ui.AnswerNextFilePrompt(QStringLiteral("/images/pld1.mx"));
    QTest::mouseClick(&Find<QPushButton>("slot%1Browse", 4), Qt::LeftButton);
    ui.AnswerNextFilePrompt(std::nullopt);
    QTest::mouseClick(&Find<QPushButton>("slot%1Browse", 4), Qt::LeftButton);
    EXPECT_EQ(FileField(4).text(), "/images/pld1.mx");
    ASSERT_EQ(ui.FilePrompts().size(), 2u);
    EXPECT_EQ(ui.FilePrompts()[0].initialName, "*.mx");
    EXPECT_EQ(ui.FilePrompts()[0].defaultExtension, "mx");
    EXPECT_TRUE(ui.FilePrompts()[0].confirmCreate);
}

TEST_F(RouterFlashFormViewTest, EveryControlIsNamedByItsLabel) {
    EXPECT_TRUE(UnnamedInputControls(view).isEmpty())
        << UnnamedInputControls(view).join(", ").toStdString();
    EXPECT_EQ(FileField(1).accessibleName(), "MTRX File");
    EXPECT_EQ(Find<QPushButton>("slot%1Browse", 1).accessibleName(), "Browse for MTRX File");
    EXPECT_EQ(Status().accessibleName(), "Status");
    EXPECT_TRUE(Status().isReadOnly());
}

}  // namespace
}  // namespace zerandi::test
