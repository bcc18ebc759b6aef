#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "backup/RouterBackup.h"

namespace zerandi {

class CliContext;
struct CliCommand;

// How a command refuses a file that is not a backup: `name` is the file, or "standard input".
using BackupRefusal = std::function<QString(const QString& name, const QString& fault)>;

// The backup in a file, or on standard input for "-", checked whole; nothing after saying
// why not (for a damaged file, `refusal` and that nothing was sent).
std::optional<RouterBackup> ReadBackupArgument(const CliContext& context, const QString& path,
                                               const BackupRefusal& refusal);

// backup and compare: the whole router in one backup file, and what differs between a backup
// and the router, or between two backups.
void AddBackupCommands(std::vector<CliCommand>& commands);

}  // namespace zerandi
