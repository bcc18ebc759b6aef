#include "services/TextFileSave.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>

#include "services/UiServices.h"

namespace zerandi {

namespace {

const QString kUnableToPrintText = QStringLiteral("Unable to print.");

// The atomic rename would give the path a new file: the other links would keep the old bytes,
// and the file would change owner. A folder that takes no new file cannot hold the rename.
bool MustWriteInPlace(const QString& path) {
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return false;
    }
    return status.st_nlink > 1 || status.st_uid != ::geteuid() ||
           !QFileInfo(QFileInfo(path).absolutePath()).isWritable();
}

// Overwrites the bytes and then cuts what is left of a longer file, so that nothing is lost
// before the new bytes are written.
bool WriteInPlace(UiServices& ui, const QString& path, const QByteArray& bytes,
                  const QString& openFailureText) {
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite)) {
        ui.showMessage(openFailureText, MessageIcon::Warning);
        return false;
    }
    if (file.write(bytes) != bytes.size() || !file.flush() || !file.resize(bytes.size())) {
        ui.showMessage(kCouldNotWriteFileText, MessageIcon::Warning);
        return false;
    }
    return true;
}

bool WriteAtomically(UiServices& ui, const QString& path, const QByteArray& bytes,
                     const QString& openFailureText) {
    QSaveFile file(path);
    // Where the folder refuses the temporary file after all, the file is written in place.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly)) {
        ui.showMessage(openFailureText, MessageIcon::Warning);
        return false;
    }
    // The flush comes first: commit() would keep a file whose buffered bytes failed to go out.
    if (file.write(bytes) != bytes.size() || !file.flush() || !file.commit()) {
        file.cancelWriting();
        ui.showMessage(kCouldNotWriteFileText, MessageIcon::Warning);
        return false;
    }
    return true;
}

}  // namespace

QByteArray WithCrLf(const QString& text) {
    QByteArray bytes = text.toLatin1();
    bytes.replace("\n", "\r\n");
    return bytes;
}

bool SaveFileBytes(UiServices& ui, const QString& path, const QByteArray& bytes,
                   const QString& openFailureText) {
    return MustWriteInPlace(path) ? WriteInPlace(ui, path, bytes, openFailureText)
                                  : WriteAtomically(ui, path, bytes, openFailureText);
}

bool PrintReport(UiServices& ui, const QString& fileName,
                 const std::function<bool(const QString& path)>& writeReport) {
    // A folder of our own: a file of the same name left by another user cannot stop the print.
    const QTemporaryDir folder;
    if (!folder.isValid()) {
        ui.showMessage(kUnableToPrintText, MessageIcon::Warning);
        return false;
    }
    const QString path = folder.filePath(fileName);
    if (!writeReport(path)) {
        return false;
    }
    if (!ui.printFile(path)) {
        ui.showMessage(kUnableToPrintText, MessageIcon::Warning);
        return false;
    }
    return true;
}

}  // namespace zerandi
