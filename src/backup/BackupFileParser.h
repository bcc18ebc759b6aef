#pragma once

#include <QByteArrayView>

#include "backup/BackupFile.h"

namespace zerandi {

// Reads the bytes of a backup file into a backup, checked whole: format and version first,
// then every part and field, then the values against the model (BackupModelFault).
class BackupFileParser {
public:
    static BackupFile::Parsed Parse(QByteArrayView bytes);
};

}  // namespace zerandi
