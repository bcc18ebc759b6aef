// Every reader of a file the user names, against what is not a file and what is far too large:
// each refuses with a message that names the file. A reader that blocks on the FIFO or reads
// the device for ever runs into the test's time-out.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <functional>

#include "connect/SalvoFile.h"
#include "flash/FlashDownloadSequence.h"
#include "porttypes/PortTypeFile.h"
#include "protocol/RouterDiagnosticCommPort.h"
#include "scramble/HalvernImport.h"
#include "scramble/ScrambleMapFile.h"
#include "serial/QtSerialDevice.h"
#include "services/FileTexts.h"
#include "services/UserFileRead.h"
#include "support/FakeClock.h"
#include "support/ScriptedUiServices.h"
#include "support/TempFiles.h"

namespace zerandi::test {
namespace {

void Remove(const QString& path) {
    if (path.startsWith(QDir::tempPath())) {
        QFile::remove(path);
        QDir().rmdir(path);
    }
}

using ReadFn = std::function<bool(UiServices& ui, const QString& path)>;

struct Reader {
    const char* name;
    qint64 maxBytes;
    ReadFn read;
};

bool RunFlash(UiServices& ui, const QString& path) {
    FakeClock clock;
    RouterDiagnosticCommPort port(ui, std::make_unique<QtSerialDevice>(), clock);
    FlashDownloadSequence sequence(port, ui, {});
    return sequence.Run({FlashFile{0, 0, QStringLiteral("Diag Appl"), path}});
}

std::vector<Reader> Readers() {
    return {
        {".svo salvo", kMaxSalvoFileBytes,
         [](UiServices& ui, const QString& path) { return LoadSalvoFile(ui, path).has_value(); }},
        {".prt port types", PortTypeFile::kMaxFileBytes,
         [](UiServices& ui, const QString& path) {
             return PortTypeFile::Read(ui, path, PortTypeFile::kFileBytes).outcome ==
                    PortTypeFile::Outcome::Read;
         }},
        {".scr scramble map", ScrambleMapFile::kMaxFileBytes,
         [](UiServices& ui, const QString& path) {
             ScrambleMap map;
             return ScrambleMapFile::Load(ui, path, map);
         }},
        {"Halvern configuration", HalvernImport::kMaxFileBytes,
         [](UiServices& ui, const QString& path) {
             ScrambleMap map;
             return HalvernImport::Import(ui, path, map);
         }},
        {".mx firmware image", FlashDownloadSequence::kMaxImageBytes, RunFlash},
    };
}

struct Target {
    const char* name;
    std::function<QString(const Reader&)> make;  // the path, made ready; empty on failure
    std::function<QString(const Reader&, const QString& path)> refusal;
};

QString Folder(const Reader&) {
    const QString path = OwnTempPath(QStringLiteral("readers-folder"));
    return QDir().mkpath(path) ? path : QString();
}

QString Fifo(const Reader&) {
    const QString path = OwnTempPath(QStringLiteral("readers-pipe"));
    QFile::remove(path);
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0 ? path : QString();
}

QString OverTheBound(const Reader& reader) {
    const QString path = OwnTempPath(QStringLiteral("readers-large"));
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.resize(reader.maxBytes + 1) ? path : QString();
}

QString NotAFile(const Reader&, const QString& path) {
    return NotARegularFileText(path);
}

std::vector<Target> Targets() {
    return {
        {"a folder", Folder, NotAFile},
        {"a FIFO without a writer", Fifo, NotAFile},
        {"a device that never ends", [](const Reader&) { return QStringLiteral("/dev/zero"); },
         NotAFile},
        {"a file one byte over the bound", OverTheBound,
         [](const Reader& reader, const QString& path) {
             return FileTooLargeText(path, reader.maxBytes);
         }},
    };
}

TEST(UserFileReadersTest, EachReaderRefusesWhatIsNotItsFileNamingIt) {
    for (const Reader& reader : Readers()) {
        for (const Target& target : Targets()) {
            SCOPED_TRACE(std::string(reader.name) + ", " + target.name);
            const QString path = target.make(reader);
            ASSERT_FALSE(path.isEmpty());
            ScriptedUiServices ui;
            const bool taken = reader.read(ui, path);
            Remove(path);
            EXPECT_FALSE(taken);
            const QString refusal = target.refusal(reader, path);
            EXPECT_EQ(ui.MessageTexts(), std::vector<QString>{refusal});
            EXPECT_TRUE(refusal.contains(path));
            for (const ScriptedUiServices::Message& message : ui.Messages()) {
                EXPECT_EQ(message.icon, MessageIcon::Warning);
            }
        }
    }
}

}  // namespace
}  // namespace zerandi::test
