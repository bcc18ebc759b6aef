#include "services/TextFileSave.h"

#include <QDir>
#include <QSaveFile>

#include "services/FileTexts.h"
#include "services/UiServices.h"

namespace zerandi {

QByteArray WithCrLf(const QString& text) {
    QByteArray bytes = text.toLatin1();
    bytes.replace("\n", "\r\n");
    return bytes;
}

bool SaveFileBytes(UiServices& ui, const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        ui.showMessage(kCouldNotOpenFileText, MessageIcon::Warning);
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

bool PrintReport(UiServices& ui, const QString& tempName,
                 const std::function<bool(const QString& path)>& writeReport) {
    const QString path = QDir(QDir::tempPath()).filePath(tempName);
    if (!writeReport(path)) {
        return false;
    }
    if (!ui.printFile(path)) {
        ui.showMessage(QStringLiteral("Unable to print."), MessageIcon::Warning);
        return false;
    }
    return true;
}

}  // namespace zerandi
