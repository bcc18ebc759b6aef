#pragma once

#include <QString>
#include <optional>
#include <vector>

namespace zerandi {

struct RouterBackup;

// The parts of a backup that a restore writes, each on its own. The names are written to this
// computer's names store, under the connected router.
enum class BackupPart { Configuration, PortTypes, ScrambleMap, Routing, Monitors, Names };

// "configuration", "port-types", "scramble-map", "routing", "monitors", "names": the words of
// `restore --only` and of the result lists.
QString BackupPartWord(BackupPart part);
std::optional<BackupPart> BackupPartFromWord(const QString& word);
// "port types": the part as people read it, and as the differences of two backups name it.
QString BackupPartName(BackupPart part);
// Whether the backup holds the part: the configuration always; the port types of a data router;
// the scramble map when it was on; the routing and monitors when the model's sizes are known;
// the names when it names a port (a backup without names does not clear those kept).
bool BackupHoldsPart(const RouterBackup& backup, BackupPart part);
// Every part, in the order a restore writes them.
const std::vector<BackupPart>& AllBackupParts();

}  // namespace zerandi
