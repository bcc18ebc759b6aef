#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace zerandi {

struct RouterBackup;

// One way two backups differ: "<part>, <item>: <before> → <after>".
struct BackupDifference {
    QString part;    // "identity", "configuration", "routing", "monitors", "port types",
                     // "scramble map", "names"
    QString item;    // "baud rate", "output 12", "monitor 2", "port 7", "input entry 3", ...
    QString before;  // as the first backup has it; "none" where it has no such item
    QString after;   // as the second backup has it

    QString Text() const;
    bool operator==(const BackupDifference&) const = default;
};

// Every difference between two backups (or a backup and one just read from the router),
// grouped by part in the order above, items in number order: identity first, since a backup
// of another model or card differs everywhere else for that reason. Empty when they hold the
// same. When the models differ, the parts sized by the model are compared no further.
std::vector<BackupDifference> CompareBackups(const RouterBackup& before, const RouterBackup& after);

// One line a difference.
QStringList BackupDifferenceLines(const std::vector<BackupDifference>& differences);

}  // namespace zerandi
