#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "names/EditNamesDialog.h"
#include "names/RouterNamesCsv.h"
#include "support/AccessibilityAudit.h"
#include "support/ScriptedUiServices.h"
#include "support/TempFiles.h"

namespace zerandi::test {
namespace {

constexpr int kInputs = 4;
constexpr int kOutputs = 4;

RouterNames StartingNames() {
    RouterNames names;
    names.SetName(NameKind::Input, 2, QStringLiteral("CAM 1"));
    return names;
}

class EditNamesDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }

    template <typename T>
    T& Find(const char* name) {
        auto* widget = dialog.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return *widget;
    }
    QTableView& Table() { return Find<QTableView>("names"); }
    QPushButton& Button(QDialogButtonBox::StandardButton which) {
        return *dialog.findChild<QDialogButtonBox*>()->button(which);
    }
    // The rows the table shows, "Kind Number Name".
    QStringList Rows() {
        QStringList rows;
        const QAbstractItemModel& model = *Table().model();
        for (int row = 0; row < model.rowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < model.columnCount(); ++column) {
                cells << model.index(row, column).data().toString();
            }
            rows << cells.join(u' ').trimmed();
        }
        return rows;
    }
    // Moves to the name of the row, opens it with F2 and types, as a person does.
    void TypeName(int row, const QString& text) {
        Table().setFocus();
        Table().setCurrentIndex(Table().model()->index(row, 2));
        QTest::keyClick(&Table(), Qt::Key_F2);
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, text);
    }
    void Import(const QByteArray& bytes) {
        const QString path = TempPath(QStringLiteral("import.csv"));
        ASSERT_TRUE(WriteFileBytes(path, bytes));
        ui.AnswerNextFilePrompt(path);
        QTest::mouseClick(&Find<QPushButton>("importCsv"), Qt::LeftButton);
    }

    ScriptedUiServices ui;
    EditNamesDialog dialog{ui, StartingNames(), kInputs, kOutputs};
};

TEST_F(EditNamesDialogTest, ANameTypedIsKeptWhenOkIsPressed) {
    EXPECT_EQ(Rows(), (QStringList{"Input 1", "Input 2 CAM 1", "Input 3", "Input 4", "Output 1",
                                   "Output 2", "Output 3", "Output 4"}));
    TypeName(6, QStringLiteral("VTR 2"));
    Button(QDialogButtonBox::Ok).click();  // the mnemonic: the name is still being typed
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Names().All(), (std::vector<RouterName>{{NameKind::Input, 2, "CAM 1"},
                                                             {NameKind::Output, 3, "VTR 2"}}));
}

TEST_F(EditNamesDialogTest, TheFilterNarrowsTheRowsAndEditsReachTheRightPort) {
    QTest::keyClicks(&Find<QLineEdit>("filter"), QStringLiteral("output"));
    ASSERT_EQ(Rows().size(), kOutputs);
    Find<QLineEdit>("filter").setText(QStringLiteral("OUTPUT 2"));
    ASSERT_EQ(Rows(), QStringList{"Output 2"});
    TypeName(0, QStringLiteral("PGM"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCoreApplication::processEvents();  // the table takes the name after the key
    Find<QLineEdit>("filter").setText(QStringLiteral("pg"));
    EXPECT_EQ(Rows(), QStringList{"Output 2 PGM"});
    QTest::mouseClick(&Button(QDialogButtonBox::Cancel), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST_F(EditNamesDialogTest, ImportReplacesTheNamesAndARefusedFileChangesNothing) {
    Import("kind,number,name\r\ninput,1,Bars\r\noutput,4,\"Mon, left\"\r\n");
    EXPECT_EQ(Rows().at(0), "Input 1 Bars");
    EXPECT_EQ(Rows().at(1), "Input 2");
    EXPECT_EQ(Rows().at(7), "Output 4 Mon, left");

    const QString path = TempPath(QStringLiteral("import.csv"));
    Import("kind,number,name\r\noutput,5,Too far\r\n");
    EXPECT_EQ(ui.MessageTexts(),
              std::vector<QString>{
                  QStringLiteral("The names were not imported from\n%1\nLine 2: output 5 does not "
                                 "exist: the router's outputs are numbered 1 to 4.")
                      .arg(path)});
    EXPECT_EQ(Rows().at(0), "Input 1 Bars");
    ASSERT_EQ(ui.FilePrompts().size(), 2u);
    EXPECT_EQ(ui.FilePrompts().at(0).filter, "CSV Files (*.csv)");
}

TEST_F(EditNamesDialogTest, ExportWritesTheNamesAsEdited) {
    TypeName(0, QStringLiteral("Bars"));
    const QString path = TempPath(QStringLiteral("export.csv"));
    ui.AnswerNextFilePrompt(path);
    Find<QPushButton>("exportCsv").click();  // the mnemonic: the name is still being typed
    RouterNames expected = StartingNames();
    expected.SetName(NameKind::Input, 1, QStringLiteral("Bars"));
    EXPECT_EQ(ReadFileBytes(path), RouterNamesToCsv(expected));
    EXPECT_TRUE(ui.MessageTexts().empty());
}

TEST_F(EditNamesDialogTest, ControlsAreNamedAndTabFollowsReadingOrder) {
    EXPECT_EQ(UnnamedInputControls(&dialog), QStringList());
    Find<QLineEdit>("filter").setFocus();
    std::vector<QWidget*> order;
    for (int k = 0; k < 6; ++k) {
        order.push_back(QApplication::focusWidget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(order, (std::vector<QWidget*>{
                         &Find<QLineEdit>("filter"), &Table(), &Find<QPushButton>("importCsv"),
                         &Find<QPushButton>("exportCsv"), &Button(QDialogButtonBox::Ok),
                         &Button(QDialogButtonBox::Cancel)}));
    EXPECT_EQ(Table().accessibleName(), "Names");
}

}  // namespace
}  // namespace zerandi::test
