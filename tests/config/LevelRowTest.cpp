#include <gtest/gtest.h>

#include <QComboBox>
#include <QTest>

#include "config/ConfigViewFixture.h"
#include "config/LevelRow.h"
#include "widgets/NumberEdit.h"

namespace zerandi::test {
namespace {

constexpr std::array kRangeColumns{
    LevelColumn::PhysicalInputStart,   LevelColumn::PhysicalInputEnd,
    LevelColumn::ControllerInputStart, LevelColumn::PhysicalOutputStart,
    LevelColumn::PhysicalOutputEnd,    LevelColumn::ControllerOutputStart,
};

using LevelRowTest = ConfigViewFixture;

QStringList RowTexts(const LevelRow& row) {
    QStringList texts;
    for (size_t c = 0; c < kLevelColumnCount - 1; ++c) {
        texts << row.Edit(static_cast<LevelColumn>(c)).text();
    }
    texts << row.SignalTypeList().currentText();
    return texts;
}

TEST_F(LevelRowTest, ShowsTheLevelsReadAndEmptySlotsAsEmptyDisabledRows) {
    StartRouter("QR1209", [](zsim::RouterState& s) { s.levels.resize(2); });
    ReadAll();
    EXPECT_EQ(RowTexts(view->Row(0)),
              (QStringList{"0", "1", "512", "0", "1", "128", "0", "1", "AES ASYNC"}));
    EXPECT_EQ(RowTexts(view->Row(1)),
              (QStringList{"1", "513", "1024", "512", "129", "256", "128", "513", "AES SYNC"}));
    const LevelRow& empty = view->Row(3);
    EXPECT_EQ(RowTexts(empty), (QStringList{"", "", "", "", "", "", "", "", ""}));
    EXPECT_TRUE(empty.Edit(LevelColumn::Level).isEnabled());
    for (const LevelColumn column : kRangeColumns) {
        EXPECT_FALSE(empty.Edit(column).isEnabled());
    }
    EXPECT_EQ(empty.SignalTypeList().count(), 0);
    EXPECT_FALSE(empty.SignalTypeList().isEnabled());
}

TEST_F(LevelRowTest, TheLevelNumberTakes0To250Or254AndEmptyClearsTheRow) {
    StartRouter("QR1206");
    ReadAll();
    LevelRow& row = view->Row(0);
    RouterLevel& level = doc->levels[0];
    NumberEdit& levelEdit = row.Edit(LevelColumn::Level);

    Retype(levelEdit, "251");
    ASSERT_EQ(ui.Messages().size(), 1U);
    EXPECT_EQ(ui.Messages()[0].text, "Error: Max level value is 250");
    EXPECT_EQ(ui.Messages()[0].icon, MessageIcon::None);
    EXPECT_EQ(level.level, 25);  // taken while typing, until the third digit
    EXPECT_EQ(levelEdit.text(), "25");

    Retype(levelEdit, "254");
    EXPECT_EQ(level.level, 254);
    EXPECT_EQ(ui.Messages().size(), 1U);

    Retype(levelEdit, "");
    EXPECT_EQ(level.level, 255);
    EXPECT_EQ(RowTexts(row), (QStringList{"", "", "", "", "", "", "", "", ""}));
    for (const LevelColumn column : kRangeColumns) {
        EXPECT_FALSE(row.Edit(column).isEnabled());
    }
    EXPECT_FALSE(row.SignalTypeList().isEnabled());

    // A level typed into an empty row brings its fields back from the document.
    QTest::keyClicks(&levelEdit, "3");
    EXPECT_EQ(level.level, 3);
    EXPECT_EQ(RowTexts(row), (QStringList{"3", "1", "64", "0", "1", "64", "0", "1", "AES ASYNC"}));
    EXPECT_TRUE(row.Edit(LevelColumn::PhysicalInputEnd).isEnabled());
}

TEST_F(LevelRowTest, EditsGoStraightIntoTheLevelAndAreWritten) {
    StartRouter("QR1206");
    ReadAll();
    LevelRow& row = view->Row(0);
    Retype(row.Edit(LevelColumn::PhysicalInputEnd), "32x");    // the letter is not taken
    Retype(row.Edit(LevelColumn::DefaultInput), "99999");      // above 65535: the last 9 is not
    Retype(row.Edit(LevelColumn::ControllerOutputStart), "");  // empty leaves the value
    Choose(row.SignalTypeList(), "AES SYNC");
    EXPECT_EQ(row.Edit(LevelColumn::PhysicalInputEnd).text(), "32");
    EXPECT_EQ(doc->levels[0].physicalInputEnd, 32);
    EXPECT_EQ(doc->levels[0].defaultInput, 9999);
    EXPECT_EQ(doc->levels[0].controllerOutputStart, 0);
    EXPECT_EQ(doc->levels[0].signalType, 2);

    WriteAll();
    const zsim::LevelRecord written = simulator.Router().Snapshot().levels.at(0);
    EXPECT_EQ(written.physicalInputEnd, 32);
    EXPECT_EQ(written.defaultInput, 9999);
    EXPECT_EQ(written.signalType, 2);
}

struct DefaultInputCase {
    std::string model;
    uint16_t defaultInput;
    QString shown;
    bool enabled;
};

TEST_F(LevelRowTest, TheDefaultInputShowsTriStateByModel) {
    const std::vector<DefaultInputCase> cases{
        {"QR1207", 255, "TRI", false},     {"QR1207", 256, "TRI", false},
        {"QR1207", 0xF3F3, "TRI", false},  {"QR1207", 7, "error", false},
        {"QR1208", 0xFFFF, "TRI", false},  {"QR1208", 255, "error", false},
        {"QR1205", 0xF3F3, "TRI", true},   {"QR1205", 9, "9", true},
        {"QR1206", 0xF3F3, "62451", true},
    };
    for (const DefaultInputCase& c : cases) {
        SCOPED_TRACE(c.model + " " + std::to_string(c.defaultInput));
        StartRouter(c.model,
                    [&](zsim::RouterState& s) { s.levels.at(0).defaultInput = c.defaultInput; });
        ReadAll();
        const NumberEdit& edit = view->Row(0).Edit(LevelColumn::DefaultInput);
        EXPECT_EQ(edit.text(), c.shown);
        EXPECT_EQ(edit.isEnabled(), c.enabled);
    }
}

struct WordKeysCase {
    std::string keys;  // "<" stands for Backspace, ">" for Delete
    QString shown;
    int32_t stored;
};

TEST_F(LevelRowTest, KeysOnTriStateDefaultInputNeverStoreANumberThatIsNotShown) {
    const std::vector<WordKeysCase> cases{
        {"<", "TRI", 0xF3F3}, {">", "TRI", 0xF3F3}, {"<<<", "TRI", 0xF3F3}, {"7", "7", 7},
        {"<7", "7", 7},       {"42", "42", 42},     {"x", "TRI", 0xF3F3},
    };
    for (const WordKeysCase& c : cases) {
        SCOPED_TRACE(c.keys);
        StartRouter("QR1205", [](zsim::RouterState& s) { s.levels.at(0).defaultInput = 0xF3F3; });
        ReadAll();
        NumberEdit& edit = view->Row(0).Edit(LevelColumn::DefaultInput);
        ASSERT_EQ(edit.text(), "TRI");
        edit.setFocus();
        edit.end(false);
        for (const char key : c.keys) {
            if (key == '<' || key == '>') {
                QTest::keyClick(&edit, key == '<' ? Qt::Key_Backspace : Qt::Key_Delete);
            } else {
                QTest::keyClicks(&edit, QString(QChar::fromLatin1(key)));
            }
        }
        EXPECT_EQ(edit.text(), c.shown);
        EXPECT_EQ(doc->levels[0].defaultInput, c.stored);

        WriteAll();
        EXPECT_EQ(simulator.Router().Snapshot().levels.at(0).defaultInput, c.stored);
    }
}

struct SignalTypeCase {
    std::string model;
    uint16_t cardPartNumber;
    QStringList offered;
};

TEST_F(LevelRowTest, OffersTheSignalTypesOfTheModelAndCard) {
    const std::vector<SignalTypeCase> cases{
        {"QR1206", 209, {"AES ASYNC", "AES SYNC"}},
        {"QR1207", 209, {"RS422/RS232 Data", "Data Broadcast"}},
        {"QR1207", 263, {"Data Reverse", "Data Broadcast", "Data Forward"}},
        {"QR1209", 263, {"AES ASYNC", "AES SYNC", "Monitor"}},
        {"QS1214", 353, {"AES ASYNC", "AES SYNC", "Monitor", "AES Mono"}},
        {"QS1210", 209, {"Monitor", "Digital Video", "SD Digital Video"}},
        {"QR1201", 209, {}},
    };
    for (const SignalTypeCase& c : cases) {
        SCOPED_TRACE(c.model + " on " + std::to_string(c.cardPartNumber));
        StartRouter(c.model, [&](zsim::RouterState& s) {
            s.cardPartNumber = c.cardPartNumber;
            s.levels.at(0).signalType = 5;  // "Data Broadcast"
        });
        ReadAll();
        const QComboBox& list = view->Row(0).SignalTypeList();
        EXPECT_EQ(Items(list), c.offered);
        EXPECT_EQ(list.currentText(), c.offered.contains("Data Broadcast") ? "Data Broadcast" : "");
    }
}

}  // namespace
}  // namespace zerandi::test
