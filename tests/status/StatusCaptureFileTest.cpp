#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include "status/StatusCaptureFile.h"
#include "support/FileSizeLimit.h"

namespace zerandi::test {
namespace {

using Outcome = StatusCaptureFile::Outcome;

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

TEST(StatusCaptureFile, StartWritesTheListWithoutEchoEntriesThenLinesAndStopTime) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("message.cap"));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("an older capture that is much longer than the new one\r\n");
    old.close();

    StatusCaptureFile capture;
    const QStringList entries{"first", " ", "", " typed"};
    ASSERT_EQ(capture.Start(path, "Tue Dec  8 10:00:00 2026", entries), Outcome::Written);
    EXPECT_TRUE(capture.IsOn());
    EXPECT_EQ(capture.WriteLine("second"), Outcome::Written);
    EXPECT_EQ(Contents(path), "Tue Dec  8 10:00:00 2026\r\nfirst\r\n\r\n typed\r\nsecond\r\n")
        << "every line is on disk before capture stops";
    EXPECT_EQ(capture.Stop("Tue Dec  8 10:05:00 2026"), Outcome::Written);
    EXPECT_FALSE(capture.IsOn());
    EXPECT_EQ(Contents(path),
              "Tue Dec  8 10:00:00 2026\r\nfirst\r\n\r\n typed\r\nsecond\r\n"
              "Tue Dec  8 10:05:00 2026\r\n");
    EXPECT_EQ(capture.WriteLine("late"), Outcome::WriteFailed) << "nothing after the stop";
}

TEST(StatusCaptureFile, OpenAndWriteFailuresLeaveCaptureOff) {
    StatusCaptureFile capture;
    EXPECT_EQ(capture.Start(QDir::tempPath() + "/no/such/folder/message.cap", "t", {}),
              Outcome::OpenFailed);
    EXPECT_FALSE(capture.IsOn());
    // A device swallows lines: refused without being opened, as a pipe would block.
    EXPECT_EQ(capture.Start(QStringLiteral("/dev/null"), "t", {}), Outcome::OpenFailed);
    EXPECT_FALSE(capture.IsOn());

    // Small writes are buffered: the flush after each line is what meets the full disk.
    const FileSizeLimit limit(3);
    EXPECT_EQ(capture.Start(QDir::tempPath() + "/full.cap", "t", {"a line"}),
              Outcome::WriteFailed);
    EXPECT_EQ(capture.FailureReason(), "File too large");
    EXPECT_FALSE(capture.IsOn());
}

}  // namespace
}  // namespace zerandi::test
