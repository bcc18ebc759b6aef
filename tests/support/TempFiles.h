#pragma once

#include <QByteArray>
#include <QString>

namespace zerandi::test {

// A path in the test's private temporary folder.
QString TempPath(const QString& name);
// A path in the temporary folder with this process's id in its name, for tests whose folder
// tests of other programs may share.
QString OwnTempPath(const QString& name);
// Writes the bytes as the whole file; false when that failed.
bool WriteFileBytes(const QString& path, const QByteArray& bytes);
// The whole file, or nothing when it cannot be read.
QByteArray ReadFileBytes(const QString& path);

}  // namespace zerandi::test
