#pragma once

#include <QString>
#include <QtGlobal>

namespace zerandi {

// What every view and the command line say about the user's files.
inline const QString kCouldNotOpenFileText = QStringLiteral("Could not open file.");
inline const QString kCouldNotWriteFileText = QStringLiteral("Could not write file.");
inline const QString kNoFileNameToSaveText =
    QStringLiteral("No filename to save to - please open a file first.");

// A file that could not be saved: what went wrong, then the file and the system's reason
// ("No space left on device").
inline QString FileFailureText(const QString& sentence, const QString& path,
                               const QString& reason) {
    return QStringLiteral("%1\n%2: %3").arg(sentence, path, reason);
}

// A folder, a device or a pipe named where a file was expected.
inline QString NotARegularFileText(const QString& path) {
    return QStringLiteral(
               "Could not open file:\n%1\nIt is not a file but a folder, a device or a "
               "pipe.")
        .arg(path);
}

// A bound in the largest whole unit that states it exactly: "16 MiB", "64 KiB", "256 bytes".
inline QString ByteCountText(qint64 bytes) {
    constexpr qint64 kKiB = 1024;
    if (bytes >= kKiB * kKiB && bytes % (kKiB * kKiB) == 0) {
        return QStringLiteral("%1 MiB").arg(bytes / (kKiB * kKiB));
    }
    if (bytes >= kKiB && bytes % kKiB == 0) {
        return QStringLiteral("%1 KiB").arg(bytes / kKiB);
    }
    return QStringLiteral("%1 bytes").arg(bytes);
}

inline QString FileTooLargeText(const QString& path, qint64 maxBytes) {
    return QStringLiteral("The file\n%1\nis too large: a file of this kind holds at most %2.")
        .arg(path, ByteCountText(maxBytes));
}

}  // namespace zerandi
