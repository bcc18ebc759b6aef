#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressDialog>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>
#include <memory>

#include "backup/BackupFile.h"
#include "backupui/BackupActions.h"
#include "backupui/BackupResultDialog.h"
#include "config/RouterConfigFormView.h"
#include "shell/CMainFrame.h"
#include "support/AccessibilityAudit.h"
#include "support/DocumentFixture.h"
#include "support/FrameFields.h"
#include "support/MenuLookup.h"
#include "support/TempFiles.h"
#include "support/WireCodes.h"
#include "widgets/NumberEdit.h"

namespace zerandi::test {
namespace {

constexpr uint32_t kBaud = 115200;
constexpr uint8_t kCrosspointStatus = 0x4A;
const char* const kVideoRouter = "QS1210";

// The main window's File menu over the document of a simulated router, as a person uses it.
class BackupActionsTest : public DocumentFixture {
protected:
    void SetUp() override {
        QStandardPaths::setTestModeEnabled(true);
        StartDocument(kVideoRouter, {}, kBaud);
        ASSERT_FALSE(HasFatalFailure());
        frame = std::make_unique<CMainFrame>(ui);
        actions = std::make_unique<BackupActions>(*doc, *frame);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    }
    void TearDown() override {
        actions.reset();
        frame.reset();
        DocumentFixture::TearDown();
    }

    void BackUpTo(const QString& path) {
        TellWhatReadAllWould(*doc, simulator);
        ui.AnswerNextFilePrompt(path);
        frame->BackUpAction().trigger();
    }
    // The rows of the next result window, parts with their lines indented beneath.
    void RecordNextResult() {
        ui.HandleNextDialog([this](QDialog& dialog) {
            auto& result = dynamic_cast<BackupResultDialog&>(dialog);
            resultRows = result.Text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
            unnamed = UnnamedInputControls(&dialog);
            messagesBeforeResult = ui.MessageTexts().size();
            return true;
        });
    }
    bool RoutingRead() const {
        for (const RequestFrame& request : simulator.Requests()) {
            if (CommandOf(request) == kCrosspointStatus) {
                return true;
            }
        }
        return false;
    }

    QTemporaryDir folder;
    std::unique_ptr<CMainFrame> frame;
    std::unique_ptr<BackupActions> actions;
    QStringList resultRows;
    QStringList unnamed;
    size_t messagesBeforeResult = 0;
};

TEST_F(BackupActionsTest, TheFileMenuOffersTheRouterItemsOnceTheRouterIsKnown) {
    QMenu* file = MenuTitled(*frame->menuBar(), QStringLiteral("&File"));
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(Texts(file->actions()), (QStringList{"Back Up Router...", "Restore Router...",
                                                   "Compare with Router...", "E&xit"}));
    const auto enabled = [this] {
        return QList<bool>{frame->BackUpAction().isEnabled(), frame->RestoreAction().isEnabled(),
                           frame->CompareAction().isEnabled()};
    };
    EXPECT_EQ(enabled(), (QList<bool>{false, false, false}));
    TellWhatReadAllWould(*doc, simulator);
    EXPECT_EQ(enabled(), (QList<bool>{true, true, true}));
}

TEST_F(BackupActionsTest, BackUpSavesWhatTheRouterHolds) {
    simulator.Route(5, 12);
    const QString path = folder.filePath(QStringLiteral("router.zbk"));
    BackUpTo(path);

    ASSERT_EQ(ui.FilePrompts().size(), 1u);
    EXPECT_EQ(ui.FilePrompts()[0].defaultExtension, QStringLiteral("zbk"));
    EXPECT_EQ(ui.FilePrompts()[0].initialName, QStringLiteral("QS1210.zbk"));
    EXPECT_EQ(ui.MessageTexts(),
              std::vector<QString>{QStringLiteral("The router was backed up to\n") + path});
    const std::optional<RouterBackup> saved = BackupFile::Load(ui, path);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->identity.productId, simulator.Router().Snapshot().productId);
    ASSERT_EQ(saved->routing.size(), 64u);
    EXPECT_EQ(saved->routing[4].input, 12);
    EXPECT_EQ(saved->monitors.size(), 4u);
    EXPECT_FALSE(ui.isBusy());
}

TEST_F(BackupActionsTest, CancelStopsTheBackupBeforeTheNextStep) {
    const QString path = folder.filePath(QStringLiteral("cancelled.zbk"));
    // A person presses Cancel while the configuration is being read; the routing is next.
    QTimer cancel;
    cancel.setInterval(0);
    QObject::connect(&cancel, &QTimer::timeout, [&cancel] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* progress = qobject_cast<QProgressDialog*>(window);
            if (progress != nullptr && progress->isVisible() && progress->value() >= 1) {
                QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
                cancel.stop();
            }
        }
    });
    cancel.start();
    BackUpTo(path);

    EXPECT_FALSE(cancel.isActive());
    EXPECT_FALSE(simulator.Requests().empty());
    EXPECT_FALSE(RoutingRead());
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(ui.MessageTexts().empty());
    EXPECT_FALSE(ui.isBusy());
}

TEST_F(BackupActionsTest, CompareListsWhatChangedSinceTheBackupByPart) {
    const QString path = folder.filePath(QStringLiteral("compare.zbk"));
    BackUpTo(path);
    const uint16_t before = simulator.SourceOn(7);
    struct Case {
        uint16_t source;
        QStringList rows;
    };
    const Case cases[] = {
        {before, {BackupResultDialog::NoDifferencesText()}},
        {20, {"routing", QStringLiteral("    output 7: input %1 → input 20").arg(before)}},
    };
    for (const Case& c : cases) {
        simulator.Route(7, c.source);
        ui.AnswerNextFilePrompt(path);
        RecordNextResult();
        frame->CompareAction().trigger();
        EXPECT_EQ(resultRows.join('\n').toStdString(), c.rows.join('\n').toStdString());
        EXPECT_EQ(unnamed.join('\n').toStdString(), "");
    }
}

TEST_F(BackupActionsTest, ADamagedFileIsRefusedOnRestoreWithNothingSent) {
    const QString path = folder.filePath(QStringLiteral("damaged.zbk"));
    BackUpTo(path);
    const QByteArray whole = ReadFileBytes(path);
    ASSERT_TRUE(WriteFileBytes(path, whole.left(whole.size() / 2)));
    simulator.Router().ClearReceivedFrames();
    ui.ClearMessages();

    ui.AnswerNextFilePrompt(path);
    frame->RestoreAction().trigger();
    ASSERT_EQ(ui.MessageTexts().size(), 1u);
    EXPECT_TRUE(ui.MessageTexts()[0].startsWith(BackupFile::RefusedText(path, {})));
    EXPECT_TRUE(simulator.Requests().empty());
}

// Only the routing differs from the backup: the configuration is not written, so no reset is
// asked.
TEST_F(BackupActionsTest, RestorePutsBackTheChosenPartsAndWritesOnlyWhatDiffers) {
    const QString path = folder.filePath(QStringLiteral("restore.zbk"));
    BackUpTo(path);
    const uint16_t before = simulator.SourceOn(3);
    simulator.Route(3, 30);
    ui.ClearMessages();

    QStringList parts;
    ui.AnswerNextFilePrompt(path);
    ui.HandleNextDialog([&parts, this](QDialog& dialog) {
        for (const QCheckBox* box : dialog.findChildren<QCheckBox*>()) {
            parts << QStringLiteral("%1 %2 %3")
                         .arg(box->text())
                         .arg(box->isEnabled() ? "enabled" : "disabled")
                         .arg(box->isChecked() ? "ticked" : "clear");
        }
        unnamed = UnnamedInputControls(&dialog);
        return true;
    });
    RecordNextResult();
    frame->RestoreAction().trigger();

    EXPECT_EQ(parts.join('\n').toStdString(),
              (QStringList{"Configuration enabled ticked",
                           "Port types (not in this backup) disabled clear",
                           "Scramble map enabled ticked", "Routing enabled ticked",
                           "Monitors enabled ticked", "Names (not in this backup) disabled clear"})
                  .join('\n')
                  .toStdString());
    EXPECT_EQ(unnamed.join('\n').toStdString(), "");
    EXPECT_EQ(simulator.SourceOn(3), before);
    const std::vector<QString> messages = ui.MessageTexts();
    EXPECT_EQ(
        std::count(messages.begin(), messages.end(), RouterConfigDoc::ConfigurationResetQuestion()),
        0);
    EXPECT_TRUE(resultRows.contains(QStringLiteral("routing: written and verified")))
        << resultRows.join('\n').toStdString();
    EXPECT_TRUE(resultRows.contains(
        QStringLiteral("configuration: already as the backup has it; nothing written")));
}

// "Show Changes" lists, before anything is written, every write the restore would make;
// the router receives only reads, and the restore can still be cancelled.
TEST_F(BackupActionsTest, ShowChangesListsTheWritesAndSendsOnlyReads) {
    const QString path = folder.filePath(QStringLiteral("changes.zbk"));
    BackUpTo(path);
    const uint16_t before = simulator.SourceOn(3);
    simulator.Route(3, 30);
    simulator.Router().ClearReceivedFrames();
    ui.ClearMessages();

    QString heading;
    ui.AnswerNextFilePrompt(path);
    ui.HandleNextDialog([&heading, this](QDialog& dialog) {
        ui.HandleNextDialog([&heading, this](QDialog& result) {
            heading = result.findChild<QLabel*>(QStringLiteral("heading"))->text();
            resultRows = dynamic_cast<BackupResultDialog&>(result).Text().split(QLatin1Char('\n'),
                                                                                Qt::SkipEmptyParts);
            return true;
        });
        auto* show = dialog.findChild<QPushButton*>(QStringLiteral("showChanges"));
        EXPECT_NE(show, nullptr);
        if (show != nullptr) {
            EXPECT_EQ(show->text(), QStringLiteral("&Show Changes"));
            QTest::mouseClick(show, Qt::LeftButton);
        }
        return false;  // the restore itself is cancelled
    });
    frame->RestoreAction().trigger();

    EXPECT_TRUE(heading.startsWith(QStringLiteral("Nothing was written.")))
        << heading.toStdString();
    EXPECT_TRUE(
        resultRows.contains(QStringLiteral("routing: would take 1 output(s) in one take list")))
        << resultRows.join('\n').toStdString();
    EXPECT_TRUE(
        resultRows.contains(QStringLiteral("routing, output 3: input 30 → input %1").arg(before)));
    EXPECT_TRUE(resultRows.contains(
        QStringLiteral("configuration: already as the backup has it; nothing to write")));
    const std::vector<RequestFrame> sent = simulator.Requests();
    EXPECT_FALSE(sent.empty());
    EXPECT_TRUE(std::none_of(sent.begin(), sent.end(), ChangesRouter));
    EXPECT_EQ(simulator.SourceOn(3), 30);
    EXPECT_TRUE(ui.MessageTexts().empty());
}

TEST_F(BackupActionsTest, ABackupOfAnotherCardIsRestoredOnlyWhenTheUserSaysSo) {
    const QString path = folder.filePath(QStringLiteral("other.zbk"));
    BackUpTo(path);
    std::optional<RouterBackup> other = BackupFile::Load(ui, path);
    ASSERT_TRUE(other);
    other->identity.controlCard.partNumber += 1;
    ASSERT_TRUE(BackupFile::Save(ui, path, *other));
    simulator.Route(3, 30);
    ui.ClearMessages();

    ui.AnswerNextFilePrompt(path);
    ui.HandleNextDialog([](QDialog&) { return true; });
    ui.AnswerNextMessage(MessageAnswer::No);
    frame->RestoreAction().trigger();
    ASSERT_EQ(ui.MessageTexts().size(), 1u);
    EXPECT_TRUE(ui.MessageTexts()[0].startsWith("This backup is of another router:\n"));
    EXPECT_TRUE(ui.MessageTexts()[0].endsWith("\nRestore it anyway?"));
    EXPECT_EQ(simulator.SourceOn(3), 30);
}

TEST_F(BackupActionsTest, TheConfigurationWindowShowsWhatTheRestoreWrote) {
    ChangeRouter([](zsim::RouterState& state) { state.cardAddress = 5; });
    const QString path = folder.filePath(QStringLiteral("address.zbk"));
    BackUpTo(path);
    ChangeRouter([](zsim::RouterState& state) { state.cardAddress = 9; });
    auto* view = new RouterConfigFormView(*doc);
    frame->MdiArea().addSubWindow(view)->show();
    QTest::mouseClick(&FindIn<QPushButton>(*view, QStringLiteral("readAll")), Qt::LeftButton);
    const auto& address = FindIn<NumberEdit>(*view, QStringLiteral("cardAddress"));
    ASSERT_EQ(address.text().toStdString(), "9");
    ui.ClearMessages();

    ui.AnswerNextFilePrompt(path);
    ui.HandleNextDialog([](QDialog&) { return true; });  // the parts as offered
    ui.AnswerNextMessage(MessageAnswer::Yes);            // the reset question
    RecordNextResult();
    frame->RestoreAction().trigger();

    EXPECT_TRUE(resultRows.contains(QStringLiteral("configuration: written and verified")))
        << resultRows.join('\n').toStdString();
    EXPECT_EQ(address.text().toStdString(), "5");
    // The result first, then the reset question; after the reset the routing is read again.
    EXPECT_EQ(messagesBeforeResult, 0u);
    EXPECT_EQ(ui.MessageTexts(),
              (std::vector<QString>{
                  RouterConfigDoc::ConfigurationResetQuestion(),
                  QStringLiteral("After the reset the routing and the monitors read as before.")}));
    const std::vector<uint8_t> sent = CommandsOf(simulator.Requests());
    EXPECT_EQ(std::count(sent.begin(), sent.end(), kResetRequest), 1);
}

}  // namespace
}  // namespace zerandi::test
