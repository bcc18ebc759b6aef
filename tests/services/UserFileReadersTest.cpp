// Every reader of a file the user names, against what is not a file and what is far too large:
// each refuses at once with a message that names the file, and still takes a good file.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include "connect/SalvoFile.h"
#include "flash/FlashDownloadSequence.h"
#include "porttypes/PortTypeFile.h"
#include "protocol/RouterDiagnosticCommPort.h"
#include "scramble/HalvernImport.h"
#include "scramble/ScrambleMapFile.h"
#include "serial/CommLogFormat.h"
#include "serial/CommLogReader.h"
#include "serial/QtSerialDevice.h"
#include "services/FileTexts.h"
#include "services/UserFileRead.h"
#include "support/FakeClock.h"
#include "support/ScriptedUiServices.h"
#include "support/TempFiles.h"

namespace zerandi::test {
namespace {

// A refusal takes no time; a reader that waits this long on a pipe is stuck on it.
constexpr std::chrono::milliseconds kAtOnce{2000};
constexpr std::chrono::milliseconds kStuck{5000};
constexpr std::chrono::milliseconds kRetry{50};

// A reader stuck opening the FIFO is freed after kStuck by a writer that closes at once, so
// that a reader that blocks fails its row instead of hanging the test.
class FifoRescue {
public:
    explicit FifoRescue(const QString& fifo) : path_(QFile::encodeName(fifo)) {
        thread_ = std::thread([this] { Watch(); });
    }
    ~FifoRescue() {
        {
            const std::lock_guard lock(mutex_);
            done_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }
    FifoRescue(const FifoRescue&) = delete;
    FifoRescue& operator=(const FifoRescue&) = delete;

private:
    void Watch() {
        std::unique_lock lock(mutex_);
        if (wake_.wait_for(lock, kStuck, [this] { return done_; })) {
            return;
        }
        while (!done_) {
            const int fd = ::open(path_.constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) {
                ::close(fd);
            }
            wake_.wait_for(lock, kRetry, [this] { return done_; });
        }
    }

    QByteArray path_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool done_ = false;
    std::thread thread_;
};

// Tests of other programs may share the temporary folder.
QString OwnPath(const QString& name) {
    return TempPath(QStringLiteral("%1-%2").arg(QCoreApplication::applicationPid()).arg(name));
}

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
    QByteArray good;  // empty: good files are taken in the reader's own tests
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
        {".svo salvo", kMaxSalvoFileBytes, "1 2\r\n",
         [](UiServices& ui, const QString& path) { return LoadSalvoFile(ui, path).has_value(); }},
        {".prt port types", PortTypeFile::kMaxFileBytes, QByteArray(PortTypeFile::kFileBytes, '\1'),
         [](UiServices& ui, const QString& path) {
             return PortTypeFile::Read(ui, path, PortTypeFile::kFileBytes).outcome ==
                    PortTypeFile::Outcome::Read;
         }},
        {".scr scramble map", ScrambleMapFile::kMaxFileBytes,
         "$Version: 1.2.3\r\n1\r\n1 2 \"in\"\r\n\r\n1\r\n3 4 \"out\"\r\n",
         [](UiServices& ui, const QString& path) {
             ScrambleMap map;
             return ScrambleMapFile::Load(ui, path, map);
         }},
        {"Halvern configuration", HalvernImport::kMaxFileBytes,
         QByteArray(HalvernImport::kFileBytes, '\0'),
         [](UiServices& ui, const QString& path) {
             ScrambleMap map;
             return HalvernImport::Import(ui, path, map);
         }},
        {".mx firmware image", FlashDownloadSequence::kMaxImageBytes, {}, RunFlash},
        {"communication log", comm_log::kMaxLogFileBytes, "Log file started: now\n",
         [](UiServices& ui, const QString& path) {
             return CommLogReader::ReadLogFile(ui, path).has_value();
         }},
    };
}

struct Target {
    const char* name;
    std::function<QString(const Reader&)> make;  // the path, made ready; empty on failure
    std::function<QString(const Reader&, const QString& path)> refusal;  // empty: accepted
};

QString Folder(const Reader&) {
    const QString path = OwnPath(QStringLiteral("readers-folder"));
    return QDir().mkpath(path) ? path : QString();
}

QString Fifo(const Reader&) {
    const QString path = OwnPath(QStringLiteral("readers-pipe"));
    QFile::remove(path);
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0 ? path : QString();
}

QString OverTheBound(const Reader& reader) {
    const QString path = OwnPath(QStringLiteral("readers-large"));
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.resize(reader.maxBytes + 1) ? path : QString();
}

QString GoodFile(const Reader& reader) {
    const QString path = OwnPath(QStringLiteral("readers-good"));
    return WriteFileBytes(path, reader.good) ? path : QString();
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
        {"a good file", GoodFile, {}},
    };
}

TEST(UserFileReadersTest, EachReaderRefusesWhatIsNotItsFileAtOnceNamingIt) {
    for (const Reader& reader : Readers()) {
        for (const Target& target : Targets()) {
            SCOPED_TRACE(std::string(reader.name) + ", " + target.name);
            if (!target.refusal && reader.good.isEmpty()) {
                continue;
            }
            const QString path = target.make(reader);
            ASSERT_FALSE(path.isEmpty());
            ScriptedUiServices ui;
            const FifoRescue rescue(path);
            QElapsedTimer clock;
            clock.start();
            const bool taken = reader.read(ui, path);
            EXPECT_LT(clock.elapsed(), kAtOnce.count());
            Remove(path);
            if (!target.refusal) {
                EXPECT_TRUE(taken);
                EXPECT_TRUE(ui.Messages().empty());
                continue;
            }
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

// The bound is in the message in the unit a person reads it in.
TEST(UserFileReadersTest, TheTooLargeMessageStatesTheBoundInItsUnit) {
    const struct {
        qint64 bytes;
        const char* text;
    } cases[] = {{256, "256 bytes"},
                 {64 * 1024, "64 KiB"},
                 {16 * 1024 * 1024, "16 MiB"},
                 {1536, "1536 bytes"}};
    for (const auto& c : cases) {
        EXPECT_TRUE(FileTooLargeText(QStringLiteral("f"), c.bytes).endsWith(c.text + QString('.')))
            << c.text;
    }
}

}  // namespace
}  // namespace zerandi::test
