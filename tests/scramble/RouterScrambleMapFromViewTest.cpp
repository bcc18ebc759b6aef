#include <gtest/gtest.h>

#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QTest>
#include <string_view>

#include "scramble/HalvernImport.h"
#include "scramble/RouterScrambleMapFromView.h"
#include "scramble/ScrambleMapReport.h"
#include "services/TextFileSave.h"
#include "services/VersionInfo.h"
#include "support/AccessibilityAudit.h"
#include "support/FrameFields.h"
#include "support/RouterViewFixture.h"
#include "support/TempFiles.h"

namespace zerandi::test {
namespace {

constexpr int kScrambleTable = 0x46;

class RouterScrambleMapFromViewTest : public RouterViewFixture {
protected:
    void SetUp() override { ReadVersionInfo(); }

    std::unique_ptr<QWidget> MakeView(RouterConfigDoc& document) override {
        return std::make_unique<RouterScrambleMapFromView>(document);
    }

    RouterScrambleMapFromView& Scramble() const {
        return static_cast<RouterScrambleMapFromView&>(*view);
    }
    QListWidget& Inputs() const { return Find<QListWidget>("inputList"); }
    QListWidget& Outputs() const { return Find<QListWidget>("outputList"); }
    static void Select(QListWidget& list, int row) {
        list.scrollToItem(list.item(row));
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                          list.visualItemRect(list.item(row)).center());
    }
    // The next edit dialog: what it shows is recorded, the fields are typed as given and
    // OK pressed; a nullptr text leaves the field alone.
    void AnswerEdit(const char* a1a2, const char* a3a4, const char* description = nullptr) {
        ui.HandleNextDialog([=, this](QDialog& dialog) {
            shownInDialogs.push_back(DialogFields(dialog));
            const std::array<std::pair<const char*, const char*>, 3> typed{
                {{"a1a2", a1a2}, {"a3a4", a3a4}, {"description", description}}};
            for (const auto& [name, text] : typed) {
                if (text != nullptr) {
                    Retype(*dialog.findChild<QLineEdit*>(name), QString::fromLatin1(text));
                }
            }
            return true;
        });
    }
    // Empties the field, then types each character as a key that produces it, whatever the
    // keyboard.
    static void TypeInto(QLineEdit& edit, const QString& text) {
        Retype(edit, QString());
        for (const QChar c : text) {
            QTest::sendKeyEvent(QTest::Click, &edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
    void CancelEdit() {
        ui.HandleNextDialog([this](QDialog& dialog) {
            shownInDialogs.push_back(DialogFields(dialog));
            return false;
        });
    }
    static QStringList DialogFields(QDialog& dialog) {
        return {dialog.windowTitle(), dialog.findChild<QLabel*>("entryAddress")->text(),
                dialog.findChild<QLineEdit*>("a1a2")->text(),
                dialog.findChild<QLineEdit*>("a3a4")->text(),
                dialog.findChild<QLineEdit*>("description")->text()};
    }
    // The router's copy as the view would send it.
    zsim::RouterState Router() const { return simulator.Router().Snapshot(); }

    std::vector<QStringList> shownInDialogs;
};

TEST_F(RouterScrambleMapFromViewTest, ShownForKnownRoutersWithTheMapSwitchedOn) {
    struct Case {
        const char* model;
        bool known;
        bool switchedOn;
        int inputRows;
        int outputRows;  // -1: the view is hidden
        const char* lastInput;
    };
    const Case cases[] = {
        {"QS1210", false, true, 0, -1, ""},
        {"QR1206", true, false, 0, -1, ""},
        {"QS1210", true, true, 256, 64, "\t255\t--\t--\t"},
        {"QS1214", true, true, 256, 256, "\t255\t256\t--\t"},
        {"QR1209", true, true, 256, 256, "\t255\t256\t--\t"},
    };
    for (const Case& c : cases) {
        StartRouter(c.model, [&](zsim::RouterState& s) { s.scrambleEnabled = c.switchedOn; });
        if (c.known) {
            KnowRouter();
        } else {
            doc->UpdateAllViews();
        }
        EXPECT_EQ(FrameShown(), c.outputRows >= 0) << c.model;
        if (c.outputRows < 0) {
            continue;
        }
        EXPECT_EQ(area->activeSubWindow(), configuration) << c.model;
        EXPECT_EQ(Find<QLabel>("tableSize").text(), "Scramble Table Size: 256");
        EXPECT_EQ(Inputs().count(), c.inputRows) << c.model;
        EXPECT_EQ(Outputs().count(), c.outputRows) << c.model;
        EXPECT_EQ(Inputs().item(0)->text(), "\t0\t1\t--\t");
        EXPECT_EQ(Inputs().item(255)->text(), c.lastInput) << c.model;
    }
    EXPECT_TRUE(Requests().empty());
}

TEST_F(RouterScrambleMapFromViewTest, ReadShowsTheRouterTableAndWriteSendsSixteenBlocks) {
    StartRouter("QS1210", [](zsim::RouterState& s) {
        s.scramble.fill(0xFFFF);
        s.scramble[0] = 40;         // input 0 A1A2
        s.scramble[256 + 1] = 41;   // input 1 A3A4
        s.scramble[512 + 2] = 42;   // output 2 A1A2
        s.scramble[768 + 63] = 43;  // output 63 A3A4
    });
    KnowRouter();
    Click("read");
    EXPECT_TRUE(ui.Messages().empty());
    EXPECT_EQ(Inputs().item(0)->text(), "\t0\t40\t--\t");
    EXPECT_EQ(Inputs().item(1)->text(), "\t1\t--\t41\t");
    EXPECT_EQ(Outputs().item(2)->text(), "\t2\t42\t--\t");
    EXPECT_EQ(Outputs().item(63)->text(), "\t63\t--\t43\t");

    Click("resetToDefaults");
    EXPECT_EQ(Inputs().item(0)->text(), "\t0\t1\t--\t");
    ClearRecords();
    Click("write");
    EXPECT_EQ(ui.MessageTexts(), std::vector<QString>{"Scramble Map successfully written."});
    EXPECT_EQ(ui.Messages().front().icon, MessageIcon::Information);
    const auto frames = Requests();
    EXPECT_EQ(frames.size(), 16u);
    for (const auto& frame : frames) {
        EXPECT_EQ(CommandOf(frame), kScrambleTable);
    }
    const zsim::RouterState router = Router();
    EXPECT_EQ(router.scramble[0], 1);
    EXPECT_EQ(router.scramble[63], 64);
    EXPECT_EQ(router.scramble[64], 0xFFFF);
    EXPECT_EQ(router.scramble[512 + 63], 64);
    EXPECT_EQ(router.scramble[768 + 63], 0xFFFF);
}

TEST_F(RouterScrambleMapFromViewTest, FailedTransfersSaySo) {
    StartRouter("QS1210");
    KnowRouter();
    simulator.Router().InjectFault({zsim::SimFault::Kind::Refuse, 3, kScrambleTable, 2, 1});
    Click("write");
    ASSERT_GE(ui.Messages().size(), 2u);
    EXPECT_EQ(ui.Messages().back().text, "Scramble Map write failed!!");
    ui.ClearMessages();
    simulator.Router().InjectFault({zsim::SimFault::Kind::Refuse, 3, kScrambleTable, 0, 1});
    Click("read");
    ASSERT_GE(ui.Messages().size(), 2u);
    EXPECT_EQ(ui.Messages().back().text, "Unable to read the Scramble Table of the Router.");
    EXPECT_EQ(Inputs().item(0)->text(), "\t0\t1\t--\t");
}

TEST_F(RouterScrambleMapFromViewTest, EditingAnInputStoresWhatTheDialogReturns) {
    StartRouter("QS1210");
    KnowRouter();
    Scramble().EditInput();
    EXPECT_EQ(ui.MessageTexts(), std::vector<QString>{"Please select an input first."});
    EXPECT_EQ(ui.Messages().front().icon, MessageIcon::Information);

    Select(Inputs(), 4);
    AnswerEdit("", "99", "Camera 5 on the studio floor");
    Scramble().EditInput();
    ASSERT_EQ(shownInDialogs.size(), 1u);
    EXPECT_EQ(shownInDialogs[0],
              (QStringList{"Edit Scramble Map", "Input Address: 5", "5", "", ""}));
    // The description field takes 21 characters.
    EXPECT_EQ(Inputs().item(4)->text(), "\t4\t--\t99\tCamera 5 on the studi");
    EXPECT_EQ(Inputs().currentRow(), 4);

    // No double quote gets in: the ".scr" file keeps descriptions between quotes.
    AnswerEdit(nullptr, nullptr, "Cam \"A\"");
    Scramble().EditInput();
    EXPECT_EQ(Scramble().Map().inputs[4].description, "Cam A");
}

TEST_F(RouterScrambleMapFromViewTest, TheDialogRefusesWhatTheRouterOrTheFileCannotKeep) {
    StartRouter("QS1210");
    KnowRouter();
    Select(Inputs(), 0);
    struct Case {
        const char* field;
        const char* typed;
        const char* kept;
    };
    const Case cases[] = {
        {"a1a2", "65535", "65535"},  // the highest word: no address
        {"a1a2", "65536", "6553"},
        {"a3a4", "99999", "9999"},
        {"a3a4", "0", "0"},
        {"description", "Caméra ÿ", "Caméra ÿ"},  // the last Latin-1 letter
        {"description", "Ā", ""},                 // the first past Latin-1
        {"description", "Cam €1", "Cam 1"},
    };
    const auto stored = [this](std::string_view field) {
        const ScrambleEntry& entry = Scramble().Map().inputs[0];
        if (field == "description") {
            return entry.description;
        }
        return QString::number(field == "a1a2" ? entry.a1a2 : entry.a3a4);
    };
    for (const Case& c : cases) {
        ui.HandleNextDialog([&](QDialog& dialog) {
            TypeInto(*dialog.findChild<QLineEdit*>(c.field), QString::fromUtf8(c.typed));
            return true;
        });
        Scramble().EditInput();
        EXPECT_EQ(stored(c.field), QString::fromUtf8(c.kept)) << c.field << " " << c.typed;
    }

    // What the file gives back is what was typed.
    const ScrambleEntry typed = Scramble().Map().inputs[0];
    const QString path = TempPath("typed.scr");
    ui.AnswerNextFilePrompt(path);
    Scramble().SaveAs();
    Click("resetToDefaults");
    ui.AnswerNextFilePrompt(path);
    Scramble().Open();
    EXPECT_EQ(Scramble().Map().inputs[0], typed);
}

TEST_F(RouterScrambleMapFromViewTest, AnOutputTakesNoAddressThatAnotherOutputUses) {
    StartRouter("QS1210", [](zsim::RouterState& s) { s.levels[0].controllerOutputStart = 10; });
    KnowRouter();
    ui.ClearMessages();
    Select(Outputs(), 0);
    AnswerEdit("5", nullptr);  // output 4 maps to 5
    AnswerEdit("7", "7");
    CancelEdit();
    Scramble().EditOutput();
    EXPECT_EQ(
        ui.MessageTexts(),
        (std::vector<QString>{"Output 5 used in controller output: 14\nDuplicates not allowed.",
                              "A1A2 and A3A4 values can not be equal."}));
    // Each time the dialog comes back with the stored values.
    ASSERT_EQ(shownInDialogs.size(), 3u);
    for (const QStringList& shown : shownInDialogs) {
        EXPECT_EQ(shown.mid(1, 3), (QStringList{"Output Address: 1", "1", ""}));
    }
    EXPECT_EQ(Outputs().item(0)->text(), "\t10\t1\t--\t");

    ui.ClearMessages();
    AnswerEdit("", "", "spare");
    Scramble().EditOutput();
    EXPECT_TRUE(ui.Messages().empty());
    EXPECT_EQ(Outputs().item(0)->text(), "\t10\t--\t--\tspare");
}

TEST_F(RouterScrambleMapFromViewTest, SaveOpenAndSaveAsKeepTheMapInScrFiles) {
    StartRouter("QS1210");
    KnowRouter();
    Scramble().Save();
    EXPECT_EQ(ui.MessageTexts(),
              std::vector<QString>{"No filename to save to - please open a file first."});

    Select(Inputs(), 0);
    AnswerEdit("12", "13", "Desk");
    Scramble().EditInput();
    const QString path = TempPath("view.scr");
    ui.AnswerNextFilePrompt(path);
    Scramble().SaveAs();
    EXPECT_EQ(Scramble().CurrentFile(), path);
    EXPECT_EQ(ui.FilePrompts().back().initialName, "new.scr");

    Click("resetToDefaults");
    ui.AnswerNextFilePrompt(path);
    Scramble().Open();
    EXPECT_EQ(ui.FilePrompts().back().initialName, "*.scr");
    EXPECT_EQ(Inputs().item(0)->text(), "\t0\t12\t13\tDesk");
}

TEST_F(RouterScrambleMapFromViewTest, AFailedOpenKeepsTheMapAndTheFileThatSaveWrites) {
    StartRouter("QS1210");
    KnowRouter();
    Select(Inputs(), 0);
    AnswerEdit("12", "13", "Desk");
    Scramble().EditInput();
    const QString kept = TempPath("kept.scr");
    ui.AnswerNextFilePrompt(kept);
    Scramble().SaveAs();
    const ScrambleMap map = Scramble().Map();
    QByteArray halvern(HalvernImport::kFileBytes, '\0');
    halvern[0] = 7;
    ASSERT_TRUE(QDir().mkpath(TempPath("folder.scr")));

    struct Case {
        const char* name;
        QByteArray bytes;  // empty with a folder of that name
        bool halvernOpen;
    };
    const Case cases[] = {
        {"halvern.scr", halvern, false},
        {"version.scr", "# map\r\n$Version: 1.x\r\n256\r\n", false},
        {"entry.scr", "$Version: 1.2.3\r\n256\r\n40 41 \"a\"\r\nnot numbers\r\n", false},
        {"folder.scr", {}, false},
        {"empty.cfg", "", true},
        {"folder.scr", {}, true},
    };
    for (const Case& c : cases) {
        const QString path = TempPath(c.name);
        if (!QFileInfo(path).isDir()) {
            ASSERT_TRUE(WriteFileBytes(path, c.bytes));
        }
        ui.ClearMessages();
        ui.AnswerNextFilePrompt(path);
        if (c.halvernOpen) {
            Scramble().OpenHalvernFile();
        } else {
            Scramble().Open();
        }
        ASSERT_EQ(ui.Messages().size(), 1u) << c.name;
        EXPECT_EQ(ui.Messages().front().icon, MessageIcon::Warning);
        EXPECT_EQ(Scramble().CurrentFile(), kept) << c.name;
        EXPECT_EQ(Scramble().Map().inputs, map.inputs) << c.name;
        EXPECT_EQ(Inputs().item(0)->text(), "\t0\t12\t13\tDesk") << c.name;

        // Ctrl+S writes the file the map came from, without asking.
        const size_t prompts = ui.FilePrompts().size();
        Scramble().RunCommand(StandardCommand::Save);
        EXPECT_EQ(ui.FilePrompts().size(), prompts) << c.name;
        if (!c.bytes.isNull()) {
            EXPECT_EQ(ReadFileBytes(path), c.bytes) << c.name;
        }
    }
    EXPECT_TRUE(ReadFileBytes(kept).contains("\r\n12 13 \"Desk\"\r\n"));
}

TEST_F(RouterScrambleMapFromViewTest, SaveAfterAnImportAsksForANewName) {
    StartRouter("QS1210");
    KnowRouter();
    QByteArray halvern(HalvernImport::kFileBytes, '\0');
    halvern[0] = 7;
    const QString binary = TempPath("site.cfg");
    ASSERT_TRUE(WriteFileBytes(binary, halvern));
    ui.AnswerNextFilePrompt(binary);
    Scramble().OpenHalvernFile();
    // Two patterns, so that the dialog lists both kinds of file.
    EXPECT_EQ(ui.FilePrompts().back().initialName, "*.scr *.cfg");
    EXPECT_EQ(Inputs().item(0)->text(), "\t0\t7\t0\t");
    EXPECT_EQ(Scramble().CurrentFile(), binary);

    ui.AnswerNextFilePrompt(std::nullopt);
    Scramble().Save();
    EXPECT_EQ(ui.FilePrompts().back().initialName, "new.scr");
    EXPECT_EQ(ReadFileBytes(binary), halvern);
}

TEST_F(RouterScrambleMapFromViewTest, TheReportIsWrittenAndPrinted) {
    StartRouter("QS1210");
    KnowRouter();
    const QString expected = ScrambleMapReport::Format(Scramble().Map(), ControllerStarts{0, 0});
    const auto body = [](const QByteArray& bytes) { return bytes.mid(bytes.indexOf("$Version:")); };
    const QString path = TempPath("report.txt");
    ui.AnswerNextFilePrompt(path);
    Scramble().WriteReport();
    EXPECT_EQ(ui.FilePrompts().back().initialName, "new_scr.txt");
    const QByteArray written = ReadFileBytes(path);
    EXPECT_EQ(body(written), body(WithCrLf(expected)));

    Scramble().PrintReport();
    ASSERT_EQ(ui.PrintedFiles().size(), 1u);
    EXPECT_TRUE(ui.PrintedFiles().front().endsWith("tmpscr00.txt"));
    EXPECT_EQ(body(ui.PrintedContents().front()), body(written));

    ui.SetPrinterAvailable(false);
    Scramble().PrintReport();
    EXPECT_EQ(ui.MessageTexts(), std::vector<QString>{"Unable to print."});
    ui.ClearMessages();
    EXPECT_FALSE(Scramble().WriteToTxtFile(QString()));
    EXPECT_TRUE(ui.Messages().front().text.contains(
        "RouterScrambleMapFromView::WriteToTxtFile - no file name"));
}

TEST_F(RouterScrambleMapFromViewTest, EveryControlIsNamed) {
    StartRouter("QS1210");
    KnowRouter();
    EXPECT_EQ(UnnamedInputControls(view), QStringList());
    EXPECT_EQ(Inputs().accessibleName(), "Input");
    QStringList unnamedInDialog{"not run"};
    Select(Outputs(), 1);
    ui.HandleNextDialog([&](QDialog& dialog) {
        unnamedInDialog = UnnamedInputControls(&dialog);
        return false;
    });
    Scramble().EditOutput();
    EXPECT_EQ(unnamedInDialog, QStringList());
}

}  // namespace
}  // namespace zerandi::test
