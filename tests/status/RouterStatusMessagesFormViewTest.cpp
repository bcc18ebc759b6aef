#include <sys/stat.h>

#include <QAbstractItemModel>
#include <QFile>
#include <QListView>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "protocol/RouterProtocol.h"
#include "protocol/TestFrames.h"
#include "status/RouterStatusMessagesFormView.h"
#include "status/StatusViewFixture.h"
#include "support/AccessibilityAudit.h"
#include "support/TempFiles.h"

namespace zerandi::test {
namespace {

const QString kBlank = QStringLiteral(" ");
constexpr uint8_t kTextCommand = 0x7E;
constexpr size_t kLengthByte = 5;

class StatusMessagesViewTest : public StatusViewFixture {
protected:
    void SetUp() override {
        StartRouter("QR1206");
        view = new RouterStatusMessagesFormView(*doc);
        Install(view, *view, QStringLiteral("Status Messages"));
        doc->UpdateAllViews();  // as start-up does once every view is there
    }

    QListView& List() const { return *view->findChild<QListView*>(QStringLiteral("messageList")); }

    // The console's lines as a person reads them.
    QStringList Rows() const {
        QStringList rows;
        const QAbstractItemModel& model = *List().model();
        for (int row = 0; row < model.rowCount(); ++row) {
            rows << model.index(row, 0).data().toString();
        }
        return rows;
    }

    void Type(const QString& text) { QTest::keyClicks(&List(), text); }
    void Press(Qt::Key key) { QTest::keyClick(&List(), key); }

    std::vector<std::string> TextsReceived() const {
        return simulator.Router().Snapshot().receivedTexts;
    }

    RouterStatusMessagesFormView* view = nullptr;
};

TEST_F(StatusMessagesViewTest, ControllerTextShowsLineByLine) {
    EXPECT_TRUE(view->IsPolling());
    simulator.Pty().SendText("ok\r");
    ASSERT_TRUE(WaitFor([&] { return !Rows().isEmpty(); }));
    EXPECT_EQ(Rows(), (QStringList{"ok", kBlank}));

    simulator.Pty().SendText(std::string(100, 'x'));
    ASSERT_TRUE(WaitFor([&] { return Rows().size() > 2; }));
    EXPECT_EQ(Rows().mid(2), (QStringList{QString(80, u'x'), QString(20, u'x'), kBlank, kBlank}));
    EXPECT_TRUE(Messages().isEmpty());
    EXPECT_TRUE(UnnamedInputControls(view).isEmpty())
        << UnnamedInputControls(view).join(", ").toStdString();
}

TEST_F(StatusMessagesViewTest, AMessageStillArrivingIsReadWhole) {
    simulator.Pty().SetPacingBaud(kBaud);  // 160 bytes take about 170 ms on the line
    simulator.Pty().SendText(std::string(150, 'p') + "\r");
    QTest::qWait(5);
    for (int poll = 0; poll < 50 && Rows().isEmpty(); ++poll) {
        view->Poll();
        QTest::qWait(5);
    }
    EXPECT_EQ(Rows(), (QStringList{QString(80, u'p'), QString(70, u'p'), kBlank, kBlank}));
    EXPECT_TRUE(Messages().isEmpty()) << Messages().join(" | ").toStdString();
}

// The text poll reads into a buffer of 200 bytes: the longest frame that fits shows whole, a
// longer one is refused with the size message and the poll goes on.
TEST_F(StatusMessagesViewTest, ATextFrameShowsWholeUpToThePollBuffer) {
    constexpr size_t kLongestText =
        RouterProtocol::kTextMessageBufferBytes - RouterMessage::kFrameOverhead - 1;
    std::vector<uint8_t> text(kLongestText - 1, 'w');
    text.push_back('\r');
    simulator.Pty().SendRaw(FrameBytes(ReplyFrame(kTextCommand, text)));
    ASSERT_TRUE(WaitFor([&] { return !Rows().isEmpty(); }));
    EXPECT_EQ(Rows(), (QStringList{QString(80, u'w'), QString(80, u'w'), QString(31, u'w'), kBlank,
                                   kBlank, kBlank}));
    EXPECT_TRUE(Messages().isEmpty()) << Messages().join(" | ").toStdString();

    ui.ClearMessages();
    std::vector<uint8_t> tooLong(kLongestText, 'x');
    tooLong.push_back('\r');
    simulator.Pty().SendRaw(FrameBytes(ReplyFrame(kTextCommand, tooLong)));
    ASSERT_TRUE(WaitFor([&] { return !Messages().isEmpty(); }));
    EXPECT_EQ(Messages(), QStringList{"Received message had invalid size."});
    simulator.Pty().SendText("after\r");
    EXPECT_TRUE(WaitFor([&] { return Rows().contains("after"); })) << "the poll goes on";
}

TEST_F(StatusMessagesViewTest, TicksWhileAnotherOperationRunsAreSkipped) {
    ui.beginBusy();
    simulator.Pty().SendText("held\r");
    QTest::qWait(3 * RouterStatusMessagesFormView::kPollIntervalMs);
    view->Poll();
    EXPECT_TRUE(Rows().isEmpty()) << "no poll while the busy state is held";
    ui.endBusy();
    EXPECT_TRUE(WaitFor([&] { return Rows() == QStringList{"held", kBlank}; })) << "then it comes";
}

TEST_F(StatusMessagesViewTest, AClosedLinkPolledForAWhileShowsAtMostOneMessage) {
    struct Case {
        const char* what;
        std::function<void()> close;
    };
    const Case cases[] = {
        {"the router's end disappears", [&] { simulator.Pty().Disappear(); }},
        {"the link is closed", [&] { doc->CommPort().Close(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ui.ClearMessages();
        c.close();
        for (int tick = 0; tick < 20; ++tick) {
            view->Poll();
        }
        QTest::qWait(3 * RouterStatusMessagesFormView::kPollIntervalMs);
        EXPECT_LE(Messages().size(), 1) << Messages().join(" | ").toStdString();
        EXPECT_FALSE(doc->CommPort().IsOpen());
    }
}

TEST_F(StatusMessagesViewTest, TerminalModeEchoesAndEnterSendsTheLine) {
    Type(QStringLiteral("ignored"));
    EXPECT_TRUE(Rows().isEmpty()) << "typing is taken but not echoed outside terminal mode";

    MenuItem(QStringLiteral("&Terminal Mode")).trigger();
    EXPECT_TRUE(view->IsTerminalMode());
    EXPECT_TRUE(MenuItem(QStringLiteral("&Terminal Mode")).isChecked());
    Type(QStringLiteral("dirt"));
    Press(Qt::Key_Backspace);
    EXPECT_EQ(Rows(), QStringList{"dir"});
    Press(Qt::Key_Return);
    ASSERT_TRUE(WaitFor([&] { return !TextsReceived().empty(); }));
    EXPECT_EQ(TextsReceived(), std::vector<std::string>{"dir\r\n"});
    EXPECT_EQ(Rows(), (QStringList{"dir", "", kBlank}));

    Press(Qt::Key_Backspace);
    EXPECT_EQ(Rows().last(), "") << "backspace on an empty typed line takes the echo's blank";
    Press(Qt::Key_Enter);
    ASSERT_TRUE(WaitFor([&] { return TextsReceived().size() == 2; }));
    EXPECT_EQ(TextsReceived().back(), "\r\n");
    EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(StatusMessagesViewTest, TypedLineOf78CharactersIsSentAnd79AreRefused) {
    MenuItem(QStringLiteral("&Terminal Mode")).trigger();
    ClearRecords();
    Type(QString(78, u'a'));
    Press(Qt::Key_Return);
    ASSERT_TRUE(WaitFor([&] { return !simulator.Requests().empty(); }));
    const auto frame = simulator.Requests().back();
    EXPECT_EQ(frame.at(kLengthByte + 1), kTextCommand);
    EXPECT_EQ(frame.at(kLengthByte), 81);

    ClearRecords();
    Type(QString(79, u'b'));
    Press(Qt::Key_Return);
    EXPECT_EQ(Messages(), QStringList{"Line length is too long. Text was NOT sent to the router!"});
    QTest::qWait(100);
    EXPECT_TRUE(simulator.Requests().empty());
    Press(Qt::Key_Return);
    ASSERT_TRUE(WaitFor([&] { return !simulator.Requests().empty(); }));
    EXPECT_EQ(TextsReceived().back(), "\r\n") << "the refused text was dropped";
}

TEST_F(StatusMessagesViewTest, CaptureWritesTheListThenEachLineUntilStopped) {
    simulator.Pty().SendText("before\r");
    ASSERT_TRUE(WaitFor([&] { return !Rows().isEmpty(); }));
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("console.cap"));
    ui.AnswerNextFilePrompt(path);
    MenuItem(QStringLiteral("&Capture to File...")).trigger();
    ASSERT_EQ(ui.FilePrompts().size(), 1U);
    EXPECT_EQ(ui.FilePrompts().back().initialName, "message.cap");
    EXPECT_EQ(ui.FilePrompts().back().defaultExtension, "cap");
    EXPECT_TRUE(MenuItem(QStringLiteral("&Capture to File...")).isChecked());

    simulator.Pty().SendText(std::string(85, 'y') + "\r");
    ASSERT_TRUE(WaitFor([&] { return Rows().size() > 2; }));
    MenuItem(QStringLiteral("&Capture to File...")).trigger();
    EXPECT_FALSE(MenuItem(QStringLiteral("&Capture to File...")).isChecked());

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromLatin1(file.readAll()).split(QStringLiteral("\r\n"));
    const QRegularExpression time(
        QStringLiteral("^\\w{3} \\w{3} [ \\d]\\d \\d\\d:\\d\\d:\\d\\d \\d{4}$"));
    ASSERT_EQ(lines.size(), 6) << lines.join(" | ").toStdString();
    EXPECT_TRUE(time.match(lines[0]).hasMatch()) << lines[0].toStdString();
    EXPECT_EQ(lines.mid(1, 3), (QStringList{"before", QString(80, u'y'), "yyyyy"}))
        << "each entry once, the one-blank entries left out";
    EXPECT_TRUE(time.match(lines[4]).hasMatch()) << lines[4].toStdString();
    EXPECT_EQ(lines[5], "");
    EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(StatusMessagesViewTest, CaptureToAnUnwritablePlaceStaysOff) {
    struct Case {
        QString path;
        QString message;
    };
    const QString pipe = TempPath(QStringLiteral("capture.fifo"));
    QFile::remove(pipe);
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const Case cases[] = {
        {"/nonexistent-folder/message.cap",
         "Could not open file.\n/nonexistent-folder/message.cap: No such file or directory"},
        // A device would swallow the lines, and a pipe nobody reads would block the program.
        {"/dev/full",
         "Could not open file.\n/dev/full: it is not a file but a folder, a pipe or a device"},
        {pipe,
         "Could not open file.\n" + pipe + ": it is not a file but a folder, a pipe or a device"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        ClearRecords();
        ui.AnswerNextFilePrompt(c.path);
        MenuItem(QStringLiteral("&Capture to File...")).trigger();
        EXPECT_EQ(Messages(), QStringList{c.message});
        EXPECT_FALSE(view->IsCapturing());
        EXPECT_FALSE(MenuItem(QStringLiteral("&Capture to File...")).isChecked());
    }
}

TEST_F(StatusMessagesViewTest, ClearListEmptiesTheConsole) {
    simulator.Pty().SendText("one\rtwo\r");
    ASSERT_TRUE(WaitFor([&] { return Rows().size() == 4; }));
    MenuItem(QStringLiteral("&Clear List")).trigger();
    EXPECT_TRUE(Rows().isEmpty());
}

TEST_F(StatusMessagesViewTest, KnownRouterHidesTheConsoleAndStopsPolling) {
    doc->SetProductId(28);
    EXPECT_FALSE(view->IsPolling());
    EXPECT_TRUE(child->isHidden());
    simulator.Pty().SendText("unseen\r");
    QTest::qWait(3 * RouterStatusMessagesFormView::kPollIntervalMs);
    EXPECT_TRUE(Rows().isEmpty());

    ActivateOtherView();
    doc->SetProductId(RouterConfigDoc::kUnknownProduct);
    EXPECT_TRUE(view->IsPolling());
    EXPECT_FALSE(child->isHidden());
    EXPECT_EQ(area->activeSubWindow(), otherChild) << "shown without being activated";
}

}  // namespace
}  // namespace zerandi::test
