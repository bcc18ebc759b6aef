#include "support/TempFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace zerandi::test {

QString TempPath(const QString& name) {
    return QDir(QDir::tempPath()).filePath(name);
}

QString OwnTempPath(const QString& name) {
    return TempPath(QStringLiteral("%1-%2").arg(QCoreApplication::applicationPid()).arg(name));
}

bool WriteFileBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray ReadFileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace zerandi::test
