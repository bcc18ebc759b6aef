#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QtGlobal>
#include <optional>

#include "backup/RouterBackup.h"

namespace zerandi {

class UiServices;

// A backup as a text file: JSON, "format": "zerandi-backup", "version": 2, keys in a fixed
// order, two spaces an indent and every list entry on a line of its own, so that two backups
// compare with a plain diff (docs/backup-format.md).
//
// A file is checked whole before anything takes it: the format and version, every part and
// field present with its type, nothing unknown, and every value within the model the file
// names (outputs, inputs, monitors, ports, and the configuration's rates, ranges and
// addresses). A fault names the part, the item and the field:
// "routing, output 65: the QS1210 has 64 outputs".
class BackupFile {
public:
    static constexpr const char* kFormat = "zerandi-backup";
    // The version written. Version 1 files, which held the configuration's serial settings as
    // list positions, are still read; they are never written again.
    static constexpr int kVersion = 2;
    static constexpr int kFirstVersion = 1;
    // The largest router's backup is below 1 MiB.
    static constexpr qint64 kMaxFileBytes = 16 * 1024 * 1024;

    // A backup read from bytes, or the fault that refused them.
    struct Parsed {
        std::optional<RouterBackup> backup;
        QString fault;  // empty when the backup was read
    };

    static QByteArray ToBytes(const RouterBackup& backup);
    // Reads bytes from anywhere (a file, standard input), checked whole.
    static Parsed FromBytes(QByteArrayView bytes);

    // Writes atomically: a failed save is reported and keeps the file that was there.
    static bool Save(UiServices& ui, const QString& path, const RouterBackup& backup);
    // The backup in the file, or nothing after telling the user why (the file's name and the
    // fault).
    static std::optional<RouterBackup> Load(UiServices& ui, const QString& path);
    // "The file\n<path>\nis not a backup Zerandi can restore:\n<fault>"
    static QString RefusedText(const QString& path, const QString& fault);
};

}  // namespace zerandi
