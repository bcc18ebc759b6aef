#pragma once

#include <QString>

namespace zerandi {

// What every view and the command line say about the user's files.
inline const QString kCouldNotOpenFileText = QStringLiteral("Could not open file.");
inline const QString kCouldNotWriteFileText = QStringLiteral("Could not write file.");
inline const QString kNoFileNameToSaveText =
    QStringLiteral("No filename to save to - please open a file first.");

}  // namespace zerandi
