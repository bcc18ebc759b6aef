#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include "connect/ConnectViewFixture.h"
#include "connect/SalvoPanel.h"
#include "support/FileSizeLimit.h"
#include "support/TempFiles.h"

namespace zerandi::test {
namespace {

const QString kEmptyFileWrite =
    QStringLiteral("Can not write an empty salvo to file.\nFile not written.");

class SalvoPanelTest : public ConnectViewFixture {
protected:
    SalvoPanel& Salvo() const { return view->Salvo(); }
    QString FileLabel() const { return Find<QLabel>("salvoFile").text(); }
    void OpenFile(const QString& path) {
        ui.AnswerNextFilePrompt(path);
        Trigger("openSalvo");
    }
};

TEST_F(SalvoPanelTest, AddAndModifySingleTakes) {
    StartRouter("QR1206");
    AnswerRangeDialog({{"5", "1"}});
    AnswerRangeDialog({{"0", "2"}, {"62", "2"}});
    QString thirdPreset;
    ui.HandleNextDialog([&](QDialog& dialog) {
        thirdPreset = Find<QLineEdit>(&dialog, "firstValue").text();
        return false;
    });
    Trigger("addSingleTake");
    EXPECT_EQ(Salvo().Entries(), (TakeList{{5, 1}, {62, 2}}));
    EXPECT_EQ(Rows("salvoList"), (QStringList{"  5\t-->\t1", " 62\t-->\t2"}));
    ASSERT_EQ(dialogsSeen.size(), 2u);
    EXPECT_EQ(dialogsSeen[0],
              (QStringList{"Edit Single Take", "Input (1-64)", "Output (1-64)", "Add", "Close"}));
    EXPECT_EQ(ui.MessageTexts(), std::vector<QString>{"Invalid Input"});
    EXPECT_EQ(Find<QListWidget>("salvoList").currentRow(), 1);
    EXPECT_TRUE(simulator.Requests().empty());
    EXPECT_EQ(thirdPreset, "62");  // each dialog starts from the take just added
}

TEST_F(SalvoPanelTest, ModifyNeedsASelectedRowAndShowsItPlainly) {
    StartRouter("QR1206");
    Find<QListWidget>("salvoList").setCurrentRow(-1);
    Trigger("modifySingleTake");
    EXPECT_EQ(ui.MessageTexts(), std::vector<QString>{"Please select a row to edit first."});

    ASSERT_TRUE(WriteFileBytes(TempPath("modify.svo"), "5 1\r\n9 2\r\n"));
    OpenFile(TempPath("modify.svo"));
    Find<QListWidget>("salvoList").setCurrentRow(0);
    AnswerRangeDialog({{}});
    Trigger("modifySingleTake");
    EXPECT_EQ(Rows("salvoList"), (QStringList{"5\t-->\t1", "  9\t-->\t2"}));
    EXPECT_EQ(dialogsSeen.back(), (QStringList{"Edit Single Take", "Input (1-64)", "Output (1-64)",
                                               "Modify", "Cancel"}));
    AnswerRangeDialog({{"7", "3"}});
    Trigger("modifySingleTake");
    EXPECT_EQ(Salvo().Entries(), (TakeList{{7, 3}, {9, 2}}));
    CancelRangeDialog();
    Salvo().ModifyEntry(1);
    EXPECT_EQ(Salvo().Entries(), (TakeList{{7, 3}, {9, 2}}));
    Trigger("clearSalvo");
    EXPECT_TRUE(Rows("salvoList").empty());
    EXPECT_EQ(FileLabel(), "File: modify.svo");
}

TEST_F(SalvoPanelTest, ExecuteSendsTheSalvoAndStopsAtTheFirstFailure) {
    StartRouter("QR1206");
    Click("executeSalvo");
    EXPECT_EQ(ui.MessageTexts(), std::vector<QString>{"Can not write an empty salvo."});

    ASSERT_TRUE(WriteFileBytes(TempPath("run.svo"),
                               "5 1\r\n62451 2\r\n7 3\r\n"));  // no tri-state on this model
    OpenFile(TempPath("run.svo"));
    ClearRecords();
    Click("executeSalvo");
    EXPECT_EQ(Takes(), (std::vector<ReceivedTake>{{0, 5, 1, {}}, {0, 62451, 2, {}}}));
    EXPECT_EQ(ui.MessageTexts(),
              (std::vector<QString>{"Error Message Received: \"Invalid data\"",
                                    "Error: Unable to execute the take: 62451 --> 2",
                                    "Salvo write failed."}));
    EXPECT_EQ(simulator.Router().Snapshot().crosspoints.at(0), 5);

    StartRouter("QR1205");
    Trigger("autoRead");
    OpenFile(TempPath("run.svo"));
    ClearRecords();
    Click("executeSalvo");
    EXPECT_EQ(ui.MessageTexts(), std::vector<QString>{"Salvo successfully written."});
    EXPECT_EQ(ui.Messages().back().icon, MessageIcon::Information);
    EXPECT_EQ(simulator.Router().Snapshot().crosspoints.at(1), 62451);
    // Auto read of the output range: the whole router, 1 to 8.
    EXPECT_EQ(Rows("connections").at(1), "\tTRI\t-->\t\t  2");
}

TEST_F(SalvoPanelTest, OpeningReadsWhatItCanAndSaysWhereItStopped) {
    StartRouter("QR1206");
    const struct {
        const char* name;
        QByteArray bytes;
        TakeList entries;
        std::vector<QString> messages;
        QString label;  // a file read only in part does not become the one Save writes
    } cases[] = {
        {"hex.svo", "0x10 010\n70000 3 9", {{16, 8}, {4464, 3}}, {}, "File: hex.svo"},
        {"text.svo",
         "5 1\n6 2 x 7 3",
         {{5, 1}, {6, 2}},
         {"The salvo file holds a word that is not a number; reading stopped there.\n"
          "2 entries were read."},
         "File: "},
    };
    for (const auto& c : cases) {
        ClearRecords();
        ASSERT_TRUE(WriteFileBytes(TempPath(c.name), c.bytes));
        OpenFile(TempPath(c.name));
        EXPECT_EQ(Salvo().Entries(), c.entries) << c.name;
        EXPECT_EQ(ui.MessageTexts(), c.messages) << c.name;
        EXPECT_EQ(FileLabel(), c.label);
    }
    ASSERT_FALSE(ui.FilePrompts().empty());
    EXPECT_EQ(ui.FilePrompts().back().initialName, "*.svo");
    EXPECT_EQ(ui.FilePrompts().back().defaultExtension, "svo");

    // Save cannot cut the rest off the file that was read only in part.
    ClearRecords();
    Trigger("saveSalvo");
    EXPECT_EQ(ui.MessageTexts(),
              std::vector<QString>{"No filename to save to - please open a file first."});
    EXPECT_EQ(ReadFileBytes(TempPath("text.svo")), "5 1\n6 2 x 7 3");

    ClearRecords();
    OpenFile(TempPath("absent.svo"));
    EXPECT_EQ(ui.MessageTexts(),
              std::vector<QString>{"Could not open file - file does not exist."});
    EXPECT_EQ(Salvo().Entries().size(), 2u);
    EXPECT_EQ(FileLabel(), "File: ");
}

TEST_F(SalvoPanelTest, AFileThatCannotBeReadKeepsTheSalvoAndTheFileThatSaveWrites) {
    StartRouter("QR1206");
    const QString kept = TempPath("kept.svo");
    ASSERT_TRUE(WriteFileBytes(kept, "5 1\r\n"));
    OpenFile(kept);
    AnswerRangeDialog({{"9", "2"}});
    CancelRangeDialog();
    Trigger("addSingleTake");
    ASSERT_TRUE(QDir().mkpath(TempPath("folder.svo")));

    struct Case {
        const char* name;
        const char* message;  // nullptr: the file's own message, naming it
    };
    const Case cases[] = {
        {"absent.svo", "Could not open file - file does not exist."},
        {"folder.svo", nullptr},
    };
    for (const Case& c : cases) {
        ClearRecords();
        OpenFile(TempPath(c.name));
        ASSERT_EQ(ui.Messages().size(), 1u) << c.name;
        if (c.message != nullptr) {
            EXPECT_EQ(ui.Messages().front().text, c.message);
        }
        EXPECT_EQ(Salvo().Entries(), (TakeList{{5, 1}, {9, 2}})) << c.name;
        EXPECT_EQ(Rows("salvoList"), (QStringList{"  5\t-->\t1", "  9\t-->\t2"})) << c.name;
        EXPECT_EQ(FileLabel(), "File: kept.svo") << c.name;

        Trigger("saveSalvo");
        EXPECT_EQ(ReadFileBytes(kept), "5 1\r\n9 2\r\n") << c.name;
        EXPECT_EQ(QFileInfo(TempPath(c.name)).isDir(), c.message == nullptr) << c.name;
    }
}

TEST_F(SalvoPanelTest, SaveAndSaveAsWriteCrLfLines) {
    StartRouter("QR1206");
    Trigger("saveSalvo");
    Trigger("saveSalvoAs");
    EXPECT_EQ(ui.MessageTexts(), (std::vector<QString>{kEmptyFileWrite, kEmptyFileWrite}));

    AnswerRangeDialog({{"5", "1"}});
    CancelRangeDialog();
    Trigger("addSingleTake");
    ClearRecords();
    Trigger("saveSalvo");
    EXPECT_EQ(ui.MessageTexts(),
              std::vector<QString>{"No filename to save to - please open a file first."});

    const QString path = TempPath("saved.svo");
    ui.AnswerNextFilePrompt(path);
    Trigger("saveSalvoAs");
    EXPECT_EQ(ReadFileBytes(path), "5 1\r\n");
    EXPECT_EQ(FileLabel(), "File: saved.svo");
    EXPECT_EQ(ui.FilePrompts().back().initialName, "new.svo");
    EXPECT_TRUE(ui.FilePrompts().back().confirmOverwrite);

    AnswerRangeDialog({{"62", "64"}});
    CancelRangeDialog();
    Trigger("addSingleTake");
    Trigger("saveSalvo");
    EXPECT_EQ(ReadFileBytes(path), "5 1\r\n62 64\r\n");
    EXPECT_EQ(ui.MessageTexts(),
              std::vector<QString>{"No filename to save to - please open a file first."});
}

TEST_F(SalvoPanelTest, AFailedWriteKeepsTheOldFileAndSaysSo) {
    StartRouter("QR1206");
    const QString path = TempPath("kept.svo");
    ASSERT_TRUE(WriteFileBytes(path, "5 1\r\n"));
    OpenFile(path);
    view->Salvo().ReplaceWithReads(TakeList(200, TakePair{2048, 2048}));
    ClearRecords();
    {
        const FileSizeLimit limit(64);
        Trigger("saveSalvo");
    }
    EXPECT_EQ(ui.MessageTexts(),
              std::vector<QString>{
                  QStringLiteral("Could not write file.\n%1: File too large").arg(path)});
    EXPECT_EQ(ReadFileBytes(path), "5 1\r\n");

    ClearRecords();
    ui.AnswerNextFilePrompt(QDir::tempPath());  // a folder cannot be written as a file
    Trigger("saveSalvoAs");
    EXPECT_EQ(
        ui.MessageTexts(),
        std::vector<QString>{
            QStringLiteral("Could not open file.\n%1: Is a directory").arg(QDir::tempPath())});
    EXPECT_EQ(FileLabel(), "File: kept.svo");
}

}  // namespace
}  // namespace zerandi::test
