#include "flash/FlashImages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace zerandi::test {

QString WriteImage(const QString& name, const std::vector<std::string>& lines, bool endLastLine,
                   const std::string& lineEnd) {
    // Tests of one program run side by side in the same temporary folder.
    const QString path = QDir::temp().filePath(
        QStringLiteral("%1-%2").arg(QCoreApplication::applicationPid()).arg(name));
    return zsim::WriteImageFile(QFile::encodeName(path).toStdString(), lines, endLastLine, lineEnd)
               ? path
               : QString();
}

}  // namespace zerandi::test
