#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QRadioButton>
#include <QTest>

#include "porttypes/PortTypeCDialog.h"
#include "porttypes/RouterPortTypesFormView.h"
#include "support/AccessibilityAudit.h"
#include "support/FileSizeLimit.h"
#include "support/FrameFields.h"
#include "support/RouterViewFixture.h"
#include "support/TempFiles.h"

namespace zerandi::test {
namespace {

constexpr int kDataRouterParameters = 0x48;
constexpr uint16_t kExtendedCard = 263;

const QString kResetQuestion = QStringLiteral(
    "The controller must be reset for the modified configuration to take effect.\n"
    "Do you want to reset now?");

class RouterPortTypesFormViewTest : public RouterViewFixture {
protected:
    std::unique_ptr<QWidget> MakeView(RouterConfigDoc& document) override {
        return std::make_unique<RouterPortTypesFormView>(document);
    }

    RouterPortTypesFormView& PortTypes() const {
        return static_cast<RouterPortTypesFormView&>(*view);
    }
    QListWidget& List() const { return Find<QListWidget>("portList"); }
    QStringList Rows() const {
        QStringList rows;
        for (int i = 0; i < List().count(); ++i) {
            rows << List().item(i)->text();
        }
        return rows;
    }
    int Ticked() const {
        for (int code = 0; code < kPortTypeCount; ++code) {
            if (Find<QRadioButton>(QStringLiteral("portType%1").arg(code)).isChecked()) {
                return code;
            }
        }
        return -1;
    }
    std::vector<bool> RadiosEnabled() const {
        std::vector<bool> enabled;
        for (int code = 0; code < kPortTypeCount; ++code) {
            enabled.push_back(
                Find<QRadioButton>(QStringLiteral("portType%1").arg(code)).isEnabled());
        }
        return enabled;
    }
    void SelectPort(int port) {
        List().setCurrentRow(port - 1);
        QTest::mouseClick(List().viewport(), Qt::LeftButton, {},
                          List().visualItemRect(List().item(port - 1)).center());
    }
    // "Write" where it succeeds: the notice is acknowledged and the reset declined.
    void WriteAccepted() {
        ui.AnswerNextMessage(MessageAnswer::Ok);
        ui.AnswerNextMessage(MessageAnswer::No);
        Click("write");
    }
    zsim::RouterState Router() const { return simulator.Router().Snapshot(); }
    // Port k + 1 holds k mod 7.
    static void CyclePorts(zsim::RouterState& state) {
        for (size_t k = 0; k < state.portTypes.size(); ++k) {
            state.portTypes[k] = static_cast<uint8_t>(k % kPortTypeCount);
        }
    }
};

TEST_F(RouterPortTypesFormViewTest, ShownOnlyForDataRouters) {
    struct Case {
        const char* model;
        bool known;
        bool shown;
    };
    for (const Case c : {Case{"QR1207", false, false}, Case{"QR1206", true, false},
                         Case{"QR1207", true, true}, Case{"QR1208", true, true}}) {
        StartRouter(c.model);
        if (c.known) {
            KnowRouter();
        } else {
            doc->UpdateAllViews();
        }
        EXPECT_EQ(FrameShown(), c.shown) << c.model << " known " << c.known;
        if (c.shown) {
            // The frame shows without taking the activation from the window in use.
            EXPECT_EQ(area->activeSubWindow(), configuration) << c.model;
            EXPECT_EQ(List().count(), 0) << c.model;
            EXPECT_EQ(RadiosEnabled(), std::vector<bool>(kPortTypeCount, false)) << c.model;
        }
    }
    EXPECT_TRUE(simulator.Router().ReceivedFrames().empty());
}

TEST_F(RouterPortTypesFormViewTest, ReadListsEveryPortOfTheModel) {
    struct Case {
        const char* model;
        int ports;
    };
    for (const Case c : {Case{"QR1207", 128}, Case{"QR1208", 256}}) {
        StartRouter(c.model, [](zsim::RouterState& s) {
            CyclePorts(s);
            s.takeDelay = 17;
            s.reverseFlag = 1;
        });
        KnowRouter();
        const int busyBefore = ui.BusyBegins();
        Click("read");

        EXPECT_TRUE(ui.Messages().empty()) << c.model;
        EXPECT_EQ(ui.BusyBegins(), busyBefore + 1);
        EXPECT_FALSE(ui.isBusy());
        const QStringList rows = Rows();
        ASSERT_EQ(rows.size(), c.ports) << c.model;
        EXPECT_EQ(rows.front(), "\t1\t207M Dynamic");
        EXPECT_EQ(rows.at(4), "\t5\t207M Slave");
        EXPECT_EQ(rows.back(), QStringLiteral("\t%1\t%2")
                                   .arg(c.ports)
                                   .arg(PortTypeListName((c.ports - 1) % kPortTypeCount)));
        EXPECT_EQ(Find<QLineEdit>("takeDelay").text(), "17");
        EXPECT_EQ(Find<QComboBox>("reverse").currentText(), "Yes");
        // The first row is selected and its type ticked.
        EXPECT_EQ(List().currentRow(), 0);
        EXPECT_EQ(Ticked(), 0);
    }
}

TEST_F(RouterPortTypesFormViewTest, The207MRolesAndTheReverseChoiceFollowTheCard) {
    struct Case {
        uint16_t card;
        std::vector<bool> radios;
        bool reverseShown;
        const char* reverse;  // what the choice holds after a read and after an update
    };
    const Case cases[] = {
        {209, {true, true, true, false, false, false, false}, true, "Yes"},
        {kExtendedCard, std::vector<bool>(kPortTypeCount, true), false, "No"},
    };
    for (const Case& c : cases) {
        StartRouter("QR1207", [&](zsim::RouterState& s) {
            s.cardPartNumber = c.card;
            s.reverseFlag = 1;
        });
        KnowRouter();
        Click("read");
        EXPECT_EQ(RadiosEnabled(), c.radios) << c.card;
        EXPECT_EQ(Shown("reverseLabel"), c.reverseShown) << c.card;
        // The choice the router reported stays through an update, except on an extended card.
        for (const char* after : {"read", "update"}) {
            const QComboBox& reverse = Find<QComboBox>("reverse");
            EXPECT_EQ(Shown("reverse"), c.reverseShown) << c.card << " after " << after;
            EXPECT_EQ(reverse.isEnabled(), c.reverseShown) << c.card << " after " << after;
            EXPECT_EQ(reverse.currentText(), c.reverse) << c.card << " after " << after;
            KnowRouter();
        }
    }
}

TEST_F(RouterPortTypesFormViewTest, AnExtendedCardIsAlwaysWrittenReverseZero) {
    StartRouter("QR1208", [](zsim::RouterState& s) {
        s.cardPartNumber = kExtendedCard;
        s.reverseFlag = 1;
    });
    KnowRouter();
    Click("read");
    WriteAccepted();
    EXPECT_EQ(Router().reverseFlag, 0);
}

TEST_F(RouterPortTypesFormViewTest, EnterInTheFormReads) {
    StartRouter("QR1207", [](zsim::RouterState& s) { s.takeDelay = 12; });
    KnowRouter();
    QTest::keyClick(&Find<QLineEdit>("takeDelay"), Qt::Key_Return);
    ASSERT_EQ(Requests().size(), 1u);
    EXPECT_EQ(CommandOf(Requests().front()), kDataRouterParameters);
    EXPECT_EQ(List().count(), 128);
}

TEST_F(RouterPortTypesFormViewTest, ChoosingATypeChangesTheSelectedPortAndWriteSendsIt) {
    StartRouter("QR1207");
    KnowRouter();
    Click("read");
    SelectPort(3);
    ClickRadio("portType2");
    SelectPort(10);
    ClickRadio("portType1");
    EXPECT_EQ(List().item(2)->text(), "\t3\tRS232 DCE");
    EXPECT_EQ(List().item(9)->text(), "\t10\tRS232 DTE");
    EXPECT_EQ(List().currentRow(), 9);
    SelectPort(3);
    EXPECT_EQ(Ticked(), 2);

    ClearRecords();
    Find<QComboBox>("reverse").setCurrentIndex(1);
    Retype(Find<QLineEdit>("takeDelay"), "25");
    WriteAccepted();

    const zsim::RouterState router = Router();
    EXPECT_EQ(router.portTypes[2], 2);
    EXPECT_EQ(router.portTypes[9], 1);
    EXPECT_EQ(router.portTypes[0], 0);
    EXPECT_EQ(router.reverseFlag, 1);
    EXPECT_EQ(router.takeDelay, 25);
    ASSERT_EQ(ui.Messages().size(), 2u);
    EXPECT_EQ(ui.Messages()[0].text, "Port Config. data written.");
    EXPECT_EQ(ui.Messages()[1].text, kResetQuestion);
    EXPECT_EQ(ui.Messages()[1].buttons, MessageButtons::YesNo);
    EXPECT_EQ(ui.Sleeps(), std::vector<int>{RouterConfigDoc::kWriteSettleMs});
    EXPECT_EQ(router.resetCount, 0);
}

TEST_F(RouterPortTypesFormViewTest, TheTakeDelayGoesOutAsOneByte) {
    struct Case {
        QString typed;
        int sent;
    };
    StartRouter("QR1207", [](zsim::RouterState& s) { s.takeDelay = 99; });
    KnowRouter();
    Click("read");
    for (const Case& c : {Case{"300", 44}, Case{"", 0}, Case{"255", 255}, Case{"7", 7}}) {
        Retype(Find<QLineEdit>("takeDelay"), c.typed);
        WriteAccepted();
        EXPECT_EQ(Router().takeDelay, c.sent) << c.typed.toStdString();
    }
}

TEST_F(RouterPortTypesFormViewTest, AnUnknownCodeShowsUnknownGoesOutAsZeroAndIsSavedAsItIs) {
    StartRouter("QR1207");
    KnowRouter();
    QByteArray image(256, '\0');
    image[0] = 9;
    image[1] = 2;
    const QString path = TempPath("unknown.prt");
    ASSERT_TRUE(WriteFileBytes(path, image));
    ui.AnswerNextFilePrompt(path);
    PortTypes().Open();
    EXPECT_EQ(ui.FilePrompts().back().initialName, "*.prt");
    EXPECT_EQ(ui.FilePrompts().back().defaultExtension, "prt");
    EXPECT_TRUE(ui.FilePrompts().back().confirmCreate);
    EXPECT_TRUE(ui.Messages().empty());
    EXPECT_EQ(PortTypes().CurrentFile(), path);
    EXPECT_EQ(List().item(0)->text(), "\t1\tUnknown");
    EXPECT_EQ(Ticked(), 0);

    ChangeRouter([](zsim::RouterState& s) { s.portTypes[0] = 5; });
    WriteAccepted();
    EXPECT_EQ(Router().portTypes[0], 0);
    EXPECT_EQ(Router().portTypes[1], 2);

    const QString copy = TempPath("copy.prt");
    ui.AnswerNextFilePrompt(copy);
    PortTypes().SaveAs();
    EXPECT_EQ(ui.FilePrompts().back().initialName, "new.prt");
    EXPECT_EQ(ReadFileBytes(copy), image);
    EXPECT_EQ(PortTypes().CurrentFile(), copy);
}

TEST_F(RouterPortTypesFormViewTest, AShortFileLeavesTheRestOfThePorts207MDynamic) {
    StartRouter("QR1207", [](zsim::RouterState& s) { CyclePorts(s); });
    KnowRouter();
    Click("read");
    const QString path = TempPath("short.prt");
    ASSERT_TRUE(WriteFileBytes(path, QByteArray(100, '\1')));
    ui.ClearMessages();
    ASSERT_TRUE(PortTypes().ReadPortTypeFile(path));
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_TRUE(ui.Messages().front().text.startsWith("The file holds fewer port types"));
    const std::vector<PortType>& types = PortTypes().Form().PortTypes();
    ASSERT_EQ(types.size(), 128u);
    EXPECT_EQ(types[99], 1);
    EXPECT_EQ(types[100], 0);
    EXPECT_EQ(List().item(127)->text(), "\t128\t207M Dynamic");
}

TEST_F(RouterPortTypesFormViewTest, AFailedReadKeepsTheTableThatWriteWouldSend) {
    StartRouter("QR1208", [](zsim::RouterState& s) { CyclePorts(s); });
    KnowRouter();
    Click("read");
    const QStringList before = Rows();
    ChangeRouter([](zsim::RouterState& s) {
        std::fill(s.portTypes.begin(), s.portTypes.end(), uint8_t{1});
    });
    // The second of the two replies comes with a broken checksum.
    simulator.Router().InjectFault(
        {zsim::SimFault::Kind::CorruptChecksum, 0, kDataRouterParameters, 0, 1, {}, 1});
    ui.ClearMessages();
    Click("read");
    ASSERT_FALSE(ui.Messages().empty());
    EXPECT_EQ(ui.Messages().back().text, "Unable to read the Port Type data from the Router.");
    EXPECT_EQ(Rows(), before);

    WriteAccepted();
    const zsim::RouterState router = Router();
    for (size_t k = 0; k < router.portTypes.size(); ++k) {
        ASSERT_EQ(router.portTypes[k], k % kPortTypeCount) << "port " << k + 1;
    }
}

TEST_F(RouterPortTypesFormViewTest, AFileThatCannotBeReadKeepsTheTableAndTheFileThatSaveWrites) {
    StartRouter("QR1207");
    KnowRouter();
    const QString kept = TempPath("kept.prt");
    ASSERT_TRUE(WriteFileBytes(kept, QByteArray(256, '\2')));
    ASSERT_TRUE(PortTypes().ReadPortTypeFile(kept));
    SelectPort(1);
    ClickRadio("portType1");
    const QStringList rows = Rows();
    // Ctrl+S writes the 128 ports on screen, port 1 changed, to the file they came from.
    QByteArray saved(256, '\0');
    saved.replace(0, 128, QByteArray(128, '\2'));
    saved[0] = 1;
    ASSERT_TRUE(QDir().mkpath(TempPath("folder.prt")));

    struct Case {
        const char* name;
        const char* message;  // nullptr: the file's own message, naming it
    };
    const Case cases[] = {
        {"absent.prt", "Could not open file - file does not exist."},
        {"folder.prt", nullptr},
    };
    for (const Case& c : cases) {
        ui.ClearMessages();
        ui.AnswerNextFilePrompt(TempPath(c.name));
        PortTypes().Open();
        ASSERT_EQ(ui.Messages().size(), 1u) << c.name;
        if (c.message != nullptr) {
            EXPECT_EQ(ui.Messages().front().text, c.message);
        }
        EXPECT_EQ(PortTypes().CurrentFile(), kept) << c.name;
        EXPECT_EQ(Rows(), rows) << c.name;

        PortTypes().RunCommand(StandardCommand::Save);
        EXPECT_EQ(ReadFileBytes(kept), saved) << c.name;
        EXPECT_EQ(QFileInfo(TempPath(c.name)).isDir(), c.message == nullptr) << c.name;
    }
}

TEST_F(RouterPortTypesFormViewTest, FileAndWriteCommandsNeedATable) {
    StartRouter("QR1207");
    KnowRouter();
    PortTypes().Write();
    PortTypes().Save();
    PortTypes().SaveAs();
    EXPECT_EQ(ui.MessageTexts(),
              (std::vector<QString>{"No Port Types in list to write.",
                                    "No Port Types in list to write to file\nFile not written.",
                                    "No Port Types in list to write to file\nFile not written."}));
    Click("read");
    ui.ClearMessages();
    PortTypes().Save();
    EXPECT_EQ(ui.MessageTexts(),
              std::vector<QString>{"No filename to save to - please open a file first."});
    EXPECT_TRUE(ui.FilePrompts().empty());
    EXPECT_TRUE(Requests().size() == 1 && CommandOf(Requests().front()) == kDataRouterParameters);
}

TEST_F(RouterPortTypesFormViewTest, AFailedSaveKeepsTheEarlierFile) {
    StartRouter("QR1207");
    KnowRouter();
    Click("read");
    const QString path = TempPath("earlier.prt");
    const QByteArray earlier(256, '\4');
    ASSERT_TRUE(WriteFileBytes(path, earlier));
    ASSERT_TRUE(PortTypes().ReadPortTypeFile(path));
    SelectPort(1);
    ClickRadio("portType1");
    ui.ClearMessages();
    {
        const FileSizeLimit limit(100);
        PortTypes().Save();
    }
    EXPECT_EQ(ui.MessageTexts(),
              std::vector<QString>{
                  QStringLiteral("Could not write file.\n%1: File too large").arg(path)});
    EXPECT_EQ(ReadFileBytes(path), earlier);
}

TEST_F(RouterPortTypesFormViewTest, EveryControlIsNamed) {
    StartRouter("QR1208");
    KnowRouter();
    Click("read");
    EXPECT_EQ(UnnamedInputControls(view), QStringList());
    EXPECT_EQ(Find<QComboBox>("reverse").accessibleName(), "Reverse Input/Output");
    EXPECT_EQ(Find<QLineEdit>("takeDelay").accessibleName(), "Take Delay (fields)");
}

}  // namespace
}  // namespace zerandi::test
