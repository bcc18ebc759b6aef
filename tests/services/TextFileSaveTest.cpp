#include "services/TextFileSave.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "support/ScriptedUiServices.h"
#include "support/TempFiles.h"

namespace zerandi::test {
namespace {

constexpr uid_t kOtherUser = 65534;

struct stat StatusOf(const QString& path) {
    struct stat status {};
    ::stat(QFile::encodeName(path).constData(), &status);
    return status;
}

// While it lives, the folder takes no new file and renames nothing into it, while the files
// in it stay writable. Root passes permission bits, so for root the folder is made immutable.
class FolderWithoutNewFiles {
public:
    explicit FolderWithoutNewFiles(const QString& folder)
        : folder_(QFile::encodeName(folder)), locked_(Lock(true)) {}
    ~FolderWithoutNewFiles() {
        if (locked_) {
            Lock(false);
        }
    }
    FolderWithoutNewFiles(const FolderWithoutNewFiles&) = delete;
    FolderWithoutNewFiles& operator=(const FolderWithoutNewFiles&) = delete;

    bool Locked() const { return locked_; }

private:
    bool Lock(bool on) const {
        if (::geteuid() != 0) {
            return ::chmod(folder_.constData(), on ? 0555 : 0755) == 0;
        }
        const int fd = ::open(folder_.constData(), O_RDONLY | O_DIRECTORY);
        if (fd < 0) {
            return false;
        }
        int flags = 0;
        bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        ::close(fd);
        return done;
    }

    QByteArray folder_;
    bool locked_;
};

struct SaveCase {
    const char* name;
    QString path;
    // Readies the file that is there; what it returns lives through the save, or the reason
    // the row cannot run here.
    std::function<std::shared_ptr<void>(const QString& path, std::string& skip)> arrange;
    std::function<void(const QString& path)> check;
};

std::vector<SaveCase> SaveCases() {
    const QByteArray saved = "new\r\n";
    return {
        {"a second hard link sees the saved bytes", OwnTempPath("linked.txt"),
         [](const QString& path, std::string& skip) -> std::shared_ptr<void> {
             const QString link = path + ".link";
             QFile::remove(link);
             if (::link(QFile::encodeName(path).constData(), QFile::encodeName(link).constData())) {
                 skip = "no hard link here";
             }
             return {};
         },
         [saved](const QString& path) {
             EXPECT_EQ(ReadFileBytes(path + ".link"), saved);
             EXPECT_EQ(StatusOf(path).st_nlink, 2u);
         }},
        {"another user's file keeps its owner", OwnTempPath("owned.txt"),
         [](const QString& path, std::string& skip) -> std::shared_ptr<void> {
             if (::geteuid() != 0) {
                 skip = "only root gives a file to another user";
             } else if (::chown(QFile::encodeName(path).constData(), kOtherUser, kOtherUser)) {
                 skip = "the file could not be given away";
             }
             return {};
         },
         [](const QString& path) { EXPECT_EQ(StatusOf(path).st_uid, kOtherUser); }},
        {"a writable file in a folder that takes no new file", OwnTempPath("locked/kept.txt"),
         [](const QString& path, std::string& skip) -> std::shared_ptr<void> {
             auto folder = std::make_shared<FolderWithoutNewFiles>(QFileInfo(path).absolutePath());
             if (!folder->Locked()) {
                 skip = "this file system cannot lock a folder";
             }
             return folder;
         },
         [](const QString&) {}},
    };
}

TEST(SaveFileBytesTest, KeepsWhatTheFileIsToOtherNamesAndUsers) {
    const QByteArray earlier = "the earlier, longer contents\r\n";
    const QByteArray saved = "new\r\n";
    for (const SaveCase& c : SaveCases()) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(QDir().mkpath(QFileInfo(c.path).absolutePath()));
        ASSERT_TRUE(WriteFileBytes(c.path, earlier));
        std::string skip;
        {
            const std::shared_ptr<void> held = c.arrange(c.path, skip);
            if (!skip.empty()) {
                std::cout << "Row not run: " << c.name << ": " << skip << '\n';
                continue;
            }
            ScriptedUiServices ui;
            EXPECT_TRUE(SaveFileBytes(ui, c.path, saved));
            EXPECT_TRUE(ui.Messages().empty());
        }
        EXPECT_EQ(ReadFileBytes(c.path), saved);
        c.check(c.path);
    }
}

// A file of the report's name in the shared temporary folder that this user cannot replace
// (here a folder, which nobody can write as a file) does not stop the print; the printed file
// goes afterwards.
TEST(PrintReportTest, PrintsThroughAFileOfItsOwnAndRemovesIt) {
    const QString fileName = QFileInfo(OwnTempPath("tmpcon00.txt")).fileName();
    QDir temp(QDir::tempPath());
    ASSERT_TRUE(temp.mkpath(fileName));
    ScriptedUiServices ui;
    const bool printed = PrintReport(
        ui, fileName, [&ui](const QString& path) { return SaveFileBytes(ui, path, "report\r\n"); });
    temp.rmdir(fileName);
    EXPECT_TRUE(printed);
    EXPECT_TRUE(ui.MessageTexts().empty());
    ASSERT_EQ(ui.PrintedContents().size(), 1u);
    EXPECT_EQ(ui.PrintedContents()[0], "report\r\n");
    EXPECT_TRUE(ui.PrintedFiles()[0].endsWith("/" + fileName));
    EXPECT_FALSE(QFile::exists(ui.PrintedFiles()[0]));
}

}  // namespace
}  // namespace zerandi::test
