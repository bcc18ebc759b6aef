#include "shell/TextFileSave.h"

#include <QDir>
#include <QSaveFile>

#include "shell/UiServices.h"

namespace zerandi {

QByteArray WithCrLf(const QString& text) {
    QByteArray bytes = text.toLatin1();
    bytes.replace("\n", "\r\n");
    return bytes;
}

bool SaveFileBytes(UiServices& ui, const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        ui.showMessage(QStringLiteral("Could not open file."), MessageIcon::Warning);
        return false;
    }
    // The explicit flush: commit() lets a short write of the buffer (a full disk) pass.
    if (file.write(bytes) != bytes.size() || !file.flush() || !file.commit()) {
        file.cancelWriting();
        ui.showMessage(QStringLiteral("Could not write file."), MessageIcon::Warning);
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
