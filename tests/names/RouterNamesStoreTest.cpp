#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "names/RouterNamesCsv.h"
#include "names/RouterNamesStore.h"
#include "support/FileSizeLimit.h"
#include "support/ScriptedUiServices.h"
#include "support/TempFiles.h"

namespace zerandi::test {
namespace {

constexpr int32_t kProductId = 99;
constexpr int32_t kControlCard = 263;

// Points the user's data folder at a folder of the test's own.
class RouterNamesStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dataHome_.isValid());
        saved_ = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome_.path()));
    }
    void TearDown() override { qputenv("XDG_DATA_HOME", saved_); }

    QString Path() const { return RouterNamesStore::PathFor(kProductId, kControlCard); }
    RouterNames Load() { return RouterNamesStore::Load(ui, kProductId, kControlCard); }
    bool Save(const RouterNames& names) {
        return RouterNamesStore::Save(ui, names, kProductId, kControlCard);
    }

    static RouterNames SomeNames() {
        RouterNames names;
        names.SetName(NameKind::Input, 2048, QStringLiteral("Bars, tone"));
        names.SetName(NameKind::Output, 7, QStringLiteral("VTR 2"));
        return names;
    }

    ScriptedUiServices ui;
    QTemporaryDir dataHome_;
    QByteArray saved_;
};

TEST_F(RouterNamesStoreTest, SavedNamesLoadAgainFromTheRoutersOwnFile) {
    EXPECT_EQ(Path(), dataHome_.filePath("Zerandi/names/names-99-263.csv"));
    EXPECT_TRUE(Load().IsEmpty());  // no file yet, and nothing to report

    ASSERT_TRUE(Save(SomeNames()));
    EXPECT_EQ(Load(), SomeNames());
    EXPECT_EQ(ReadFileBytes(Path()), RouterNamesToCsv(SomeNames()));
    EXPECT_TRUE(RouterNamesStore::Load(ui, kProductId, 353).IsEmpty());
    EXPECT_TRUE(ui.MessageTexts().empty());
}

TEST_F(RouterNamesStoreTest, ADamagedFileIsReportedAndLeftAsItIs) {
    ASSERT_TRUE(QDir().mkpath(QFileInfo(Path()).absolutePath()));
    const QByteArray damaged = "kind,number,name\r\ninput,7,A\r\nnoise\r\n";
    ASSERT_TRUE(WriteFileBytes(Path(), damaged));

    EXPECT_TRUE(Load().IsEmpty());
    EXPECT_EQ(ui.MessageTexts(),
              std::vector<QString>{
                  QStringLiteral("The names of this router were not loaded: the file\n%1\n"
                                 "is damaged and is left as it is.\nLine 3: a line holds "
                                 "kind, number and name; this one holds 1 field.")
                      .arg(Path())});
    EXPECT_EQ(ReadFileBytes(Path()), damaged);
}

// An edit of one name must not put a one-name file in place of a file it could not read: every
// other name would be lost. A restore replaces it.
TEST_F(RouterNamesStoreTest, AnEditNeverOverwritesADamagedOrNewerFileButARestoreReplacesIt) {
    ASSERT_TRUE(QDir().mkpath(QFileInfo(Path()).absolutePath()));
    const struct {
        const char* what;
        QByteArray file;
        QString fault;
    } cases[] = {
        {"damaged", "kind,number,name\r\ninput,7,A\r\nnoise\r\n",
         "Line 3: a line holds kind, number and name; this one holds 1 field."},
        {"newer", "kind,number,name,colour\r\ninput,7,A,red\r\n", "Line 1:"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ui.ClearMessages();
        ASSERT_TRUE(WriteFileBytes(Path(), c.file));
        EXPECT_FALSE(Save(SomeNames()));
        EXPECT_EQ(ReadFileBytes(Path()), c.file);
        ASSERT_EQ(ui.MessageTexts().size(), 1u);
        EXPECT_TRUE(ui.MessageTexts()[0].startsWith(
            QStringLiteral("The names were not saved: the file\n%1\nis damaged").arg(Path())))
            << ui.MessageTexts()[0].toStdString();
        EXPECT_TRUE(ui.MessageTexts()[0].contains(c.fault)) << ui.MessageTexts()[0].toStdString();

        EXPECT_TRUE(RouterNamesStore::Replace(ui, SomeNames(), kProductId, kControlCard));
        EXPECT_EQ(Load(), SomeNames());
        // Once mended, edits are saved again.
        EXPECT_TRUE(Save(RouterNames{}));
        EXPECT_TRUE(Load().IsEmpty());
    }
}

TEST_F(RouterNamesStoreTest, AFailedWriteIsReportedAndKeepsTheFileThatWasThere) {
    RouterNames first;
    first.SetName(NameKind::Input, 1, QStringLiteral("A"));
    ASSERT_TRUE(Save(first));
    const QByteArray before = ReadFileBytes(Path());
    {
        const FileSizeLimit limit(before.size());
        EXPECT_FALSE(Save(SomeNames()));
    }
    EXPECT_EQ(ui.MessageTexts(),
              std::vector<QString>{
                  QStringLiteral("Could not write file.\n%1: File too large").arg(Path())});
    EXPECT_EQ(ReadFileBytes(Path()), before);
    EXPECT_EQ(Load(), first);
}

TEST_F(RouterNamesStoreTest, AFolderThatCannotBeMadeIsReported) {
    ASSERT_TRUE(WriteFileBytes(dataHome_.filePath("Zerandi"), "a file, not a folder"));
    EXPECT_FALSE(Save(SomeNames()));
    EXPECT_EQ(
        ui.MessageTexts(),
        std::vector<QString>{
            QStringLiteral("The names of this router could not be saved to\n%1").arg(Path())});
}

}  // namespace
}  // namespace zerandi::test
